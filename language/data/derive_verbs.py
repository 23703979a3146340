#!/usr/bin/env python3
"""Derives language/data/verbs.txt from Debian's French dictionary.

The verb inventory and its properties (group, pronominal use, auxiliary,
impersonal use) come from the hunspell-fr-classical dictionary
(/usr/share/hunspell/fr.dic, MPL-2.0). The conjugation model of each verb
comes from the model files (their `family` lines, and the first-group
spelling rules below); everything a person has reviewed lives in
verb-review.txt and wins over what is derived here.

The infinitive pool is addressed by 16-bit offsets, so not every verb of the
dictionary fits: verbs are taken by usefulness (reviewed and defined verbs,
then classified ones, then the rest, shorter first) until the pool is full.

Run it again after changing the review file, the models or the definitions:
    python3 language/data/derive_verbs.py
"""
import collections
import glob
import os
import re
import sys
import unicodedata

HERE = os.path.dirname(os.path.abspath(__file__))
DIC = "/usr/share/hunspell/fr.dic"
POOL_LIMIT = 65535


def sort_key(word):
    plain = unicodedata.normalize("NFD", word.replace("œ", "oe").replace("æ", "ae"))
    plain = "".join(c for c in plain if not unicodedata.combining(c))
    return (plain.replace("-", "").replace("'", "").replace(" ", ""), word)


def cp1252_length(word):
    return len(word.encode("cp1252")) + 1


def read_models():
    models, families, exemplars = {}, {}, {}
    for path in sorted(glob.glob(os.path.join(HERE, "models", "*.txt"))):
        number = None
        for line in open(path, encoding="utf-8"):
            words = line.split()
            if not words or words[0].startswith("#"):
                continue
            if words[0] == "model":
                number = int(words[1])
                models[number] = words[2]
                exemplars.setdefault(words[2], number)
            elif words[0] == "family" and number is not None:
                for entry in words[1:]:
                    if entry in families and families[entry] != number:
                        sys.exit(f"{path}: family {entry} claimed by models {families[entry]} and {number}")
                    families[entry] = number
    return models, families, exemplars


def read_definitions():
    defined, pronominal = set(), set()
    for path in glob.glob(os.path.join(HERE, "definitions", "*.txt")):
        for line in open(path, encoding="utf-8"):
            if line.startswith("#") or "|" not in line:
                continue
            verb, _, pron = (p.strip() for p in line.split("|"))
            verb = verb.split("#")[0]  # "sortir#2": the second verb of that name
            defined.add(verb)
            if pron:
                pronominal.add(verb)
    return defined, pronominal


def read_review():
    review = collections.defaultdict(dict)
    extra, drop, h_aspire, duplicates, core = [], set(), set(), [], []
    simple_pronominal, etre_first, reciprocal, agrees = set(), set(), set(), set()
    for lineno, line in enumerate(open(os.path.join(HERE, "verb-review.txt"), encoding="utf-8"), 1):
        line = line.split("#", 1)[0].strip()
        if not line:
            continue
        key, _, rest = line.partition(" ")
        rest = rest.strip()
        if key == "h":
            h_aspire.update(rest.split())
        elif key == "checked":
            pass  # a decision of audit_verbs.py that keeps what the rules give
        elif key == "simple-pronominal":
            simple_pronominal.update(rest.split())
        elif key == "etre-first":
            etre_first.update(rest.split())
        elif key == "agrees":
            agrees.update(rest.split())
        elif key == "reciprocal":
            for verb in rest.split():
                reciprocal.add(verb)
                review[verb]["only"] = True
        elif key == "drop":
            drop.update(rest.split())
        elif key == "core":
            core.extend(rest.split())
        elif key in ("kind", "model"):
            verb, value = rest.rsplit(" ", 1)
            review[verb][key] = int(value)
        elif key in ("only", "not-only"):
            for verb in rest.split():
                review[verb]["only"] = key == "only"
        elif key in ("add", "duplicate"):
            parts = rest.split()
            marks = [p for p in parts if p.startswith("+")]
            parts = [p for p in parts if not p.startswith("+")]
            entry = (" ".join(parts[:-2]), int(parts[-2]), int(parts[-1]), marks)
            (extra if key == "add" else duplicates).append(entry)
        else:
            sys.exit(f"verb-review.txt:{lineno}: unknown line {key}")
    return review, extra, drop, h_aspire, duplicates, core, simple_pronominal, etre_first, reciprocal, agrees


def read_common():
    """Verbs people judged common enough to keep before the rest."""
    path = os.path.join(HERE, "common-verbs.txt")
    if not os.path.exists(path):
        return set()
    return {line.strip() for line in open(path, encoding="utf-8") if line.strip() and not line.startswith("#")}


def family_sizes(words):
    """For each verb, how many other words of the dictionary share its stem
    (industrialiser: industrialisation, industriel...). A verb with a family
    of words is more likely to be met than a lone one."""
    lemmas = sorted({line.split("/")[0].split()[0] for line in open(DIC, encoding="utf-8") if line[:1].isalpha()})
    import bisect
    sizes = {}
    for word in words:
        stem = word[:-2] if len(word) > 6 else word
        lo = bisect.bisect_left(lemmas, stem)
        hi = bisect.bisect_left(lemmas, stem + "\uffff")
        sizes[word] = hi - lo
    return sizes


def read_dictionary():
    """infinitive -> (group, tag set, hunspell flag class, has forms)"""
    verbs = {}
    for line in open(DIC, encoding="utf-8"):
        m = re.search(r" po:v(\S{9})", line)
        if not m or "/" not in line:
            continue
        word, flags = line.split("/", 1)
        flags = flags.split()[0]
        if not re.fullmatch(r"[a-zàâäçéèêëîïôöùûüÿœæ'\- ]+", word) or not word.endswith(("er", "ir", "re", "ïr")):
            continue
        tag = m.group(1)
        has_forms = "po:infi" not in line
        if word in verbs:  # a second line for the same verb: merge what it says
            old = verbs[word]
            merged = "".join(a if a not in "_z" else b for a, b in zip(old[1], tag))
            verbs[word] = (old[0], merged, old[2] or flags[:2], old[3] or has_forms)
        else:
            verbs[word] = (tag[0], tag, flags[:2], has_forms)
    return verbs


def derive_kind(tag):
    pron, impersonal, aux = tag[5], tag[6] == "m", tag[7:9]
    etre, avoir = aux[0] == "e", aux[1] == "a"
    can = pron in "qx"
    only = pron in "pr"
    if only:
        return 3, True
    if impersonal:
        return (5 if can or pron == "e" else 9), False
    if etre and avoir:
        return (8 if can else 1), False
    if etre:
        return (6 if can else 2), False
    return (3 if can else 0), False


VOWELS = "aeiouyéèêâîôûœ"


def first_group_model(word, cls, ex):
    """The model of an -er verb from its spelling and the dictionary's class."""
    if word.endswith("ayer"):
        return ex["balayer"]
    if word.endswith(("oyer", "uyer")):
        return ex["aboyer"]
    if word.endswith("écer"):
        return ex["rapiécer"]
    if word.endswith("cer"):
        return ex["dépecer"] if (cls == "b0" and word.endswith("ecer")) else ex["acquiescer"]
    if word.endswith("éger"):
        return ex["abréger"]
    if word.endswith("ger"):
        return ex["abroger"]
    if re.search(r"é(gu|qu)er$", word):
        return ex["allécher"]
    # é or e followed by one or two consonants, then -er.
    m = re.search(r"([eé])([^aeiouyéèêâîôûœ]{1,2})er$", word)
    if m and m.group(2) not in ("x",):
        vowel, cons = m.group(1), m.group(2)
        if vowel == "é" and cls in ("c0", "") and cons != "y":
            return ex["accéder"] if len(cons) == 1 else ex["allécher"]
        if vowel == "e" and cls == "d0" and len(cons) == 1:
            return ex["agneler"]
        if vowel == "e" and cls == "b0":
            if len(cons) == 2:
                return ex["sevrer"]
            if word.endswith("eler"):
                return ex["aciseler"]
            if word.endswith("eter"):
                return ex["acheter"]
            return ex["achever"]
        if cls == "":  # a verb the dictionary gives without its forms
            liquid = re.fullmatch(r"ch|gn|gu|qu|th|[bcdfgptv][lr]", cons)
            if vowel == "é":
                return ex["accéder"] if len(cons) == 1 else (ex["allécher"] if liquid else ex["abaisser"])
            if len(cons) == 1:
                return ex["agneler"] if cons in "lt" else ex["achever"]
            if liquid:
                return ex["sevrer"]
    if word.endswith("ier"):
        return ex["aurifier"]
    return ex["abaisser"]


def family_model(word, families):
    if "=" + word in families:
        return families["=" + word]
    best = None
    for entry, number in families.items():
        if entry[0] == "-" and word.endswith(entry[1:]) and (best is None or len(entry) > len(best[0])):
            best = (entry, number)
    return best[1] if best else None


def invariable_participle(kind, only, tag):
    """A verb with no pronominal form whose tags give it no direct object
    (exister, sembler, lutter): its participle never agrees."""
    return kind == 0 and not only and bool(tag) and "t" not in tag[2:5]


def derive_entry(word, info, models, families, ex, defined_pronominal):
    """What the rules alone give a dictionary verb, before any review:
    (model or None, kind, pronominal only, the rule that chose the model)."""
    group, tag, cls, has_forms = info
    if word.endswith("er") and cls not in ("f0",):
        model = family_model(word, {k: v for k, v in families.items() if k.startswith("=")})
        rule = "exact family"
        if model is None:
            model = first_group_model(word, cls if has_forms else "", ex)
            rule = "first-group spelling"
    elif cls == "f0" or group == "2":
        model = family_model(word, {k: v for k, v in families.items() if k.startswith("=") or k == "-haïr"})
        rule = "second group"
        if model is None:
            model = ex["abasourdir"]
    else:
        model = family_model(word, families)
        rule = "family"
        if model is not None and models.get(model) in ("abaisser", "abasourdir"):
            model = None
    kind, only = derive_kind(tag)
    if word in defined_pronominal and kind in (0, 2) and not only:
        kind = 3 if kind == 0 else 6
    return model, kind, only, rule


def main():
    models, families, ex = read_models()
    defined, defined_pronominal = read_definitions()
    review, extra, drop, h_aspire, duplicates, core, simple_pronominal, etre_first, reciprocal, agrees = read_review()
    dictionary = read_dictionary()

    entries, problems = [], []
    for word, (group, tag, cls, has_forms) in dictionary.items():
        if word in drop:
            continue
        r = review.get(word, {})
        model, kind, only, _ = derive_entry(word, dictionary[word], models, families, ex, defined_pronominal)
        model = r.get("model", model)
        if model is None:
            problems.append(f"no model for {word} ({tag})")
            continue
        kind = r.get("kind", kind)
        only = r.get("only", only)
        entries.append((word, model, kind, only, tag, has_forms))

    for word, model, kind, marks in extra:
        entries.append((word, model, kind, "+p" in marks, "", True))

    # Usefulness: reviewed, exemplar and defined verbs first, then the verbs
    # judged common, then classified verbs, then the rest; within a tier,
    # verbs with a larger family of words first, shorter before longer.
    must = set(core) | defined | set(models.values()) | set(review) | {e[0] for e in extra}
    common = read_common()
    family = family_sizes([e[0] for e in entries])
    def rank(e):
        word, tag, has_forms = e[0], e[4], e[5]
        if word in must:
            tier = 0
        elif word in common:
            tier = 1
        else:
            tier = 2 if tag and not tag.endswith("zz") and has_forms else (3 if has_forms else 4)
        return (tier, -min(family.get(word, 0), 5), len(word), sort_key(word))
    entries.sort(key=rank)

    dup_size = sum(cp1252_length(d[0]) for d in duplicates)
    chosen, size = [], dup_size
    for e in entries:
        n = cp1252_length(e[0])
        if size + n > POOL_LIMIT:
            continue
        chosen.append(e)
        size += n
    # Keep the count off a multiple of 20 so that the search's progress
    # reports run all the way to 100 %.
    while (len(chosen) + len(duplicates)) % 20 == 0:
        chosen.pop()

    lines = []
    for word, model, kind, only, tag, _ in chosen:
        invariable = invariable_participle(kind, only, tag) and word not in agrees
        lines.append((sort_key(word), word, model, kind, word in h_aspire, only, invariable))
    for word, model, kind, marks in duplicates:
        lines.append((sort_key(word) + ("~",), word, model, kind, "+h" in marks or word in h_aspire, "+p" in marks,
                      "+i" in marks))
    lines.sort()

    out = [
        "# The verb list: infinitive, model, kind, and marks: +h (h aspiré: no",
        "# elision), +p (exists only as a pronominal verb), +m (the pronominal",
        "# form has its simple tenses only: elle se meurt), +e (être is the first",
        "# of the avoir/être variants: je suis entré), +r (reciprocal: plural",
        "# persons and a collective il only: nous nous entraidons), +i (no direct",
        "# object: the participle never agrees, existé). Generated by",
        "# derive_verbs.py from Debian's hunspell-fr-classical dictionary and the",
        "# reviewed corrections of verb-review.txt; edit those, not this file.",
    ]
    for _, word, model, kind, h, only, invariable in lines:
        marks = (" +h" if h else "") + (" +p" if only else "") + (" +m" if word in simple_pronominal else "") + (
            " +e" if word in etre_first and kind in (1, 8, 10, 11, 12) else "") + (
            " +r" if word in reciprocal else "") + (" +i" if invariable else "")
        out.append(f"{word} {model} {kind}{marks}")
    with open(os.path.join(HERE, "verbs.txt"), "w", encoding="utf-8") as f:
        f.write("\n".join(out) + "\n")

    dropped = len(entries) - len(chosen)
    print(f"{len(lines)} verbs, infinitive pool {size} bytes, {dropped} dictionary verbs left out")
    for p in problems:
        print("  " + p)


if __name__ == "__main__":
    main()
