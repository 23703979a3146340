#!/usr/bin/env python3
"""Audits of the verb list, class by class.

The spelling check proves that a form is a French word, not that it is the
right one: "nous fuissons" is a word. So every choice a rule makes (a model
from the spelling, a model from the dictionary's group, a kind from its tags)
is listed here by class, each verb with what the rules give it, what the verb
list holds, and the decision a person recorded in verb-review.txt: a
correction ("kind dégeler 3") or a "checked" line that keeps what the rules
gave. A verb without a decision is printed as UNDECIDED.

    python3 language/data/audit_verbs.py [groups|spelling|kinds|agreement|pronominal|auxiliary|prefixed|subjects|participles|defective|offered]...

With no argument every audit is printed; the last lines give the counts
(listed / changed from the rules / undecided) that data/README.md records.
"""
import collections
import glob
import os
import re
import sys

import derive_verbs as d

HERE = os.path.dirname(os.path.abspath(__file__))
KIND_NAMES = {
    0: "avoir", 1: "avoir, être variant", 2: "être", 3: "pronominal", 4: "pronominal, invariable participle",
    5: "impersonal, pronominal", 6: "être, pronominal", 7: "ça as subject", 8: "pronominal, être variant",
    9: "impersonal", 10: "pronominal invariable, être variant", 11: "impersonal, être variant",
    12: "third persons, être variant", 13: "third persons", 14: "pronominal impersonal",
    15: "pronominal third persons",
}
RESTRICTED = {1, 5, 7, 8, 9, 10, 11, 12, 13, 14, 15}
PRONOMINAL = {3, 4, 5, 6, 8, 10, 14, 15}
AUDITS = ("groups", "spelling", "kinds", "agreement", "pronominal", "auxiliary", "prefixed", "subjects", "participles", "defective", "offered")
VARIANTS = {1, 8, 10, 11, 12}


def read_decisions():
    """verb -> [(directive, reason)] from verb-review.txt, and the "checked"
    lines: (audit, name) -> reason. A reason is the line's own comment or
    the comment paragraph above its block."""
    review, checked = collections.defaultdict(list), {}
    paragraph, last_was_comment = [], False
    for line in open(os.path.join(HERE, "verb-review.txt"), encoding="utf-8"):
        text = line.strip()
        if text.startswith("#"):
            if not last_was_comment:
                paragraph = []
            paragraph.append(text.lstrip("# ").strip())
            last_was_comment = True
            continue
        last_was_comment = False
        if not text:
            paragraph = []
            continue
        body, _, comment = text.partition("#")
        reason = comment.strip() or " ".join(paragraph)
        words = body.split()
        key = words[0]
        if key == "checked":
            for name in words[2:]:
                checked[(words[1], name)] = reason
        elif key in ("kind", "model"):
            review[" ".join(words[1:-1])].append((body.strip(), reason))
        elif key in ("add", "duplicate"):
            names = [w for w in words[1:] if not w.startswith("+")][:-2]
            review[" ".join(names)].append((body.strip(), reason))
        else:
            for verb in words[1:]:
                review[verb].append((f"{key} {verb}", reason))
    return review, checked


def read_verb_list():
    verbs = collections.defaultdict(list)
    for line in open(os.path.join(HERE, "verbs.txt"), encoding="utf-8"):
        if line.startswith("#") or not line.strip():
            continue
        words = line.split()
        marks = {w for w in words if w.startswith("+")}
        words = [w for w in words if not w.startswith("+")]
        verbs[" ".join(words[:-2])].append((int(words[-2]), int(words[-1]), marks))
    return verbs


def raw_dictionary_lines():
    lines = collections.defaultdict(list)
    for line in open(d.DIC, encoding="utf-8"):
        m = re.search(r" po:v(\S{9})", line)
        if m and "/" in line:
            lines[line.split("/", 1)[0]].append(m.group(1))
    return lines


class Audit:
    def __init__(self):
        self.models, self.families, self.ex = d.read_models()
        _, self.defined_pronominal = d.read_definitions()
        self.dictionary = d.read_dictionary()
        self.verbs = read_verb_list()
        self.review, self.checked = read_decisions()
        self.counts = {}

    def derived(self, word):
        if word not in self.dictionary:
            return None
        return d.derive_entry(word, self.dictionary[word], self.models, self.families, self.ex,
                              self.defined_pronominal)

    def describe(self, word):
        out = []
        for model, kind, marks in self.verbs.get(word, []):
            out.append(f"{self.models.get(model, '?')} ({model}), kind {kind}{' ' + ' '.join(sorted(marks)) if marks else ''}")
        return "; ".join(out) or "left out"

    def decision(self, audit, word, keys=("kind", "model", "only", "not-only", "simple-pronominal", "duplicate", "add",
                                          "h", "drop", "reciprocal", "agrees"), group=None):
        """The recorded decision for `word` in `audit`: review lines first,
        then a "checked" line for the verb, then one for its class."""
        lines = [(t, r) for t, r in self.review.get(word, []) if t.split()[0] in keys]
        if lines:
            return "; ".join(f"[{t}] {r}" for t, r in lines)
        for name in (word, group):
            if name and (audit, name) in self.checked:
                return "[checked] " + self.checked[(audit, name)]
        return None

    def report(self, audit, title, rows):
        """rows: (word, rules say, changed)"""
        print(f"== {title}")
        changed = undecided = 0
        for word, rules, was_changed in rows:
            decision = self.decision(audit, word)
            changed += was_changed
            if decision is None:
                undecided += 1
                decision = "UNDECIDED"
            print(f"{word:22} {self.describe(word):44} rules: {rules:34} {shorten(decision)}")
        self.counts[audit] = (len(rows), changed, undecided)
        print()

    # 1. Verbs the dictionary gives under two groups or with conflicting tags,
    # and second-group tags on verbs of a third-group family.
    def groups(self):
        raw = raw_dictionary_lines()
        rows = []
        for word in sorted(self.verbs, key=d.sort_key):
            tags = raw.get(word, [])
            group_family = None
            info = self.dictionary.get(word)
            if info and (info[0] == "2" or info[2] == "f0") and not word.endswith("er"):
                m = d.family_model(word, self.families)
                if m is not None and self.models.get(m) != "abasourdir":
                    group_family = self.models[m]
            if len(set(tags)) < 2 and not group_family:
                continue
            derived = self.derived(word)
            rules = f"{'/'.join(tags)}" + (f" (family {group_family})" if group_family else "")
            rows.append((word, rules, self.changed(word, derived)))
        self.report("groups", "Two groups or conflicting tags in the dictionary", rows)

    def changed(self, word, derived):
        if derived is None:
            return True
        model, kind, only, _ = derived
        return any(m != model or k != kind or ("+p" in marks) != only or "+m" in marks
                   for m, k, marks in self.verbs.get(word, [])) or len(self.verbs.get(word, [])) > 1

    # 2. First-group models chosen by spelling.
    SPELLING_CLASSES = [
        ("-yer", r"yer$"),
        ("é_er", r"é[^aeiouyéèêâîôûœ]{1,2}er$"),
        ("-eler/-eter", r"e[lt]er$"),
        ("e_er", r"e(?:[^aeiouyéèêâîôûœ]|[bcdfgptv][lr]|ch|gn|th)er$"),
        ("-guer", r"guer$"),
        ("-cer/-ger", r"[cg]er$"),
    ]

    def spelling(self):
        by_class = collections.defaultdict(list)
        for word in sorted(self.verbs, key=d.sort_key):
            derived = self.derived(word)
            if not derived or derived[3] != "first-group spelling" and not any(
                    t.startswith("model ") for t, _ in self.review.get(word, [])):
                continue
            for name, pattern in self.SPELLING_CLASSES:
                if re.search(pattern, word):
                    by_class[name].append((word, derived))
                    break
        print("== Models chosen by spelling (first group)")
        listed = changed = undecided = 0
        for name, _ in self.SPELLING_CLASSES:
            members = by_class[name]
            groups = collections.defaultdict(list)
            for word, derived in members:
                final = self.verbs[word][0][0]
                if final != derived[0] or self.decision("spelling", word, keys=("model",)):
                    changed += final != derived[0]
                    decision = self.decision("spelling", word, keys=("model",)) or self.decision(
                        "spelling", word, group=name)
                    undecided += decision is None
                    print(f"  {name:12} {word:22} rules: {self.models[derived[0]]:12} now: {self.models[final]:12} "
                          f"{shorten(decision or 'UNDECIDED')}")
                else:
                    groups[self.models[final]].append(word)
            class_decision = self.checked.get(("spelling", name))
            print(f"  {name}: {len(members)} verbs; " + ", ".join(f"{m} {len(w)}" for m, w in sorted(groups.items())))
            print(f"    decision: {shorten(class_decision or 'UNDECIDED')}")
            for model, words in sorted(groups.items()):
                print(f"    {model}: " + " ".join(words))
            if class_decision is None:
                undecided += sum(len(w) for w in groups.values())
            listed += len(members)
        self.counts["spelling"] = (listed, changed, undecided)
        print()

    # 3. Restricted persons and kinds, auxiliary variants, pronominal-only verbs.
    def kinds(self):
        rows = []
        for word in sorted(self.verbs, key=d.sort_key):
            derived = self.derived(word)
            entries = self.verbs[word]
            final_restricted = any(k in RESTRICTED or {"+p", "+m"} & marks for _, k, marks in entries)
            derived_restricted = derived and (derived[1] in RESTRICTED or derived[2])
            kind_reviewed = any(t.split()[0] in ("kind", "only", "not-only") for t, _ in self.review.get(word, []))
            if not (final_restricted or derived_restricted or (kind_reviewed and derived and derived[1] != entries[0][1])):
                continue
            if derived:
                rules = f"kind {derived[1]}{' +p' if derived[2] else ''} ({KIND_NAMES[derived[1]]})"
                was_changed = any(k != derived[1] or ("+p" in m) != derived[2] or "+m" in m for _, k, m in entries)
            else:
                rules, was_changed = "not in the dictionary", True
            rows.append((word, rules, was_changed))
        self.report("kinds", "Persons, kinds, auxiliary variants and pronominal-only verbs", rows)

    # 4. Reflexive pronoun as indirect object: the participle never agrees.
    def agreement(self):
        rows = []
        for word in sorted(self.verbs, key=d.sort_key):
            info = self.dictionary.get(word)
            entries = self.verbs[word]
            indirect = info and info[1][4] in "nx" and info[1][3] != "t" and any(k in PRONOMINAL for _, k, _ in entries)
            invariable = any(k in (4, 10) or "+m" in marks for _, k, marks in entries)
            if not (indirect or invariable or any(t.startswith("kind ") and t.endswith(" 4")
                                                  for t, _ in self.review.get(word, []))):
                continue
            derived = self.derived(word)
            rules = f"kind {derived[1]} ({'indirect object in the dictionary' if indirect else 'agrees'})" if derived \
                else "not in the dictionary"
            rows.append((word, rules, bool(derived) and any(k != derived[1] or "+m" in m for _, k, m in entries)))
        self.report("agreement", "Pronominal agreement: reflexive as indirect object, defective pronominal forms",
                    rows)

    # 5. Pronominal forms offered where the dictionary's tags do not make them
    # certain (no direct object, "x" tag, or only a gloss), and those withdrawn.
    def pronominal(self):
        rows = []
        for word in sorted(self.verbs, key=d.sort_key):
            info = self.dictionary.get(word)
            derived = self.derived(word)
            entries = self.verbs[word]
            offered = any(k in PRONOMINAL and "+p" not in m for _, k, m in entries)
            derived_offered = derived and derived[1] in PRONOMINAL and not derived[2]
            if not (offered or derived_offered) or any("+p" in m for _, _, m in entries):
                continue
            tag = info[1] if info else "?????????"
            doubtful = tag[3] != "t" or tag[5] == "x" or tag[5] not in "qx"
            withdrawn = derived_offered and not offered
            if not (doubtful or withdrawn):
                continue
            why = ("no direct object" if tag[3] != "t" else "x tag" if tag[5] == "x" else
                   "from a gloss" if tag[5] not in "qx" else "")
            rules = f"{'offered' if derived_offered else 'not offered'} ({why}, {tag})"
            rows.append((word, rules, bool(derived_offered) != offered))
        self.report("pronominal", "Offered pronominal forms that the tags do not make certain", rows)

    # 6. Verbs with both auxiliaries: which one comes first. The rules give
    # avoir; "etre-first" puts être first where the main use takes it.
    def auxiliary(self):
        rows = []
        for word in sorted(self.verbs, key=d.sort_key):
            entries = [(k, m) for _, k, m in self.verbs[word] if k in VARIANTS]
            if not entries:
                continue
            first = "être" if any("+e" in m for _, m in entries) else "avoir"
            rows.append((word, f"avoir first, now {first} first", first == "être"))
        print("== Which auxiliary comes first")
        changed = undecided = 0
        for word, rules, was_changed in rows:
            decision = self.decision("auxiliary", word, keys=("etre-first",))
            changed += was_changed
            if decision is None:
                undecided += 1
                decision = "UNDECIDED"
            print(f"{word:22} {self.describe(word):44} rules: {rules:34} {shorten(decision)}")
        self.counts["auxiliary"] = (len(rows), changed, undecided)
        print()

    # 7. A prefixed verb against its base verb (reparler / parler): a prefix
    # does not change the agreement, the auxiliary, the persons or the model
    # unless the verbs differ in meaning or conjugation; each difference is
    # decided. The rules give the base verb's class.
    PREFIXES = ("entre-", "entr'", "contre-", "sous-", "sur-", "dés", "més", "super", "inter", "trans", "auto",
                "re", "ré", "r", "dé", "sur", "sous", "pré", "co", "mé")

    @staticmethod
    def verb_class(kind, marks):
        pronominal = kind in PRONOMINAL or "+p" in marks
        return {
            "agreement": ("invariable" if kind in (4, 10) else "agrees") if pronominal else None,
            "auxiliary": "être" if kind in (2, 6) else
                         ("être first" if "+e" in marks else "avoir first") if kind in VARIANTS else "avoir",
            "persons": "il" if kind in (5, 9, 11) else "il, ils" if kind in (12, 13, 15) else
                       "ça" if kind == 7 else "all",
        }

    def prefixed(self):
        rows = []
        for word in sorted(self.verbs, key=d.sort_key):
            prefix = next((p for p in self.PREFIXES if word.startswith(p) and word[len(p):] in self.verbs), None)
            if prefix is None:
                continue
            base = word[len(prefix):]
            model, kind, marks = self.verbs[word][0]
            base_model, base_kind, base_marks = self.verbs[base][0]
            ours, theirs = self.verb_class(kind, marks), self.verb_class(base_kind, base_marks)
            differences = [f"{k} {theirs[k]}" for k in ours
                           if ours[k] != theirs[k] and ours[k] is not None and theirs[k] is not None]
            if model != base_model:
                differences.append(f"model {self.models.get(base_model, base_model)}")
            if differences:
                rows.append((word, f"as {base}: " + ", ".join(differences), any(
                    t.split()[0] in ("kind", "model") for t, _ in self.review.get(word, []))))
        self.report("prefixed", "Prefixed verbs that differ from their base verb", rows)

    # 8. Pronominal-only verbs, by the subjects they take: people (every
    # person), things (third persons, as s'ensuivre) or a group acting on
    # itself (reciprocal: plural persons and a collective il). The rules give
    # every person.
    def subjects(self):
        rows = []
        for word in sorted(self.verbs, key=d.sort_key):
            for _, kind, marks in self.verbs[word]:
                if "+p" not in marks:
                    continue
                now = "reciprocal" if "+r" in marks else "third persons" if kind in (13, 15) else \
                    "il only" if kind in (5, 9, 14) else "every person"
                rows.append((word, f"every person, now {now}", now != "every person"))
        print("== Pronominal-only verbs by the subjects they take")
        changed = undecided = 0
        for word, rules, was_changed in rows:
            decision = self.decision("subjects", word, keys=("kind", "reciprocal"))
            changed += was_changed
            if decision is None:
                undecided += 1
                decision = "UNDECIDED"
            print(f"{word:22} {self.describe(word):44} rules: {rules:34} {shorten(decision)}")
        self.counts["subjects"] = (len(rows), changed, undecided)
        print()

    # 9. The participle line. (a) Verbs without a pronominal form whose tags
    # give no direct object: the rules make their participle invariable
    # (existé); "agrees" keeps the feminine of those with a transitive or
    # passive use. (b) Models whose participle line has no feminine or whose
    # flags say noAgreement, against the transitivity of each verb using them.
    @staticmethod
    def model_participles():
        lines, number, found = {}, None, {}
        for path in sorted(glob.glob(os.path.join(HERE, "models", "*.txt"))):
            for line in open(path, encoding="utf-8"):
                words = line.split()
                if words[:1] == ["model"]:
                    number = int(words[1])
                    found[number] = {"feminine": True, "noAgreement": False}
                elif words[:1] == ["past-participle"] and number is not None:
                    found[number]["feminine"] = len(words) == 5 and words[4] != "-"
                elif words[:1] == ["flags"] and number is not None:
                    found[number]["noAgreement"] = "noAgreement" in words
        return found

    def participles(self):
        rows = []
        models = self.model_participles()
        for word in sorted(self.verbs, key=d.sort_key):
            info = self.dictionary.get(word)
            tag = info[1] if info else ""
            for model, kind, marks in self.verbs[word]:
                if d.invariable_participle(kind, "+p" in marks, tag):
                    now = "invariable" if "+i" in marks else "agrees"
                    rows.append((word, f"invariable (no object: {tag}), now {now}", now != "invariable"))
                elif model in models and (not models[model]["feminine"] or models[model]["noAgreement"]) \
                        and model not in (30, 99):
                    transitive = "t" in tag[2:5]
                    rows.append((word, f"model {self.models.get(model)}: "
                                       f"{'no feminine' if not models[model]['feminine'] else 'noAgreement'}"
                                       f"{', transitive' if transitive else ''}", False))
        print("== The participle line: invariable participles")
        changed = undecided = 0
        for word, rules, was_changed in rows:
            decision = self.decision("participles", word, keys=("agrees",), group=None)
            if decision is None:
                klass = "invariable" if rules.startswith("invariable") else "model"
                decision = self.decision("participles", klass, keys=())
            changed += was_changed
            if decision is None:
                undecided += 1
                decision = "UNDECIDED"
            print(f"{word:22} {self.describe(word):44} rules: {rules:34} {shorten(decision)}")
        self.counts["participles"] = (len(rows), changed, undecided)
        print()

    # 10. Pronominal forms of impersonal, modal or defective verbs: the
    # pronominal page shows what the model and kind allow; "simple-pronominal"
    # keeps only the simple tenses in use (se mourir).
    @staticmethod
    def model_restrictions():
        found, number = {}, None
        for path in sorted(glob.glob(os.path.join(HERE, "models", "*.txt"))):
            for line in open(path, encoding="utf-8"):
                words = line.split()
                if words[:1] == ["model"]:
                    number = int(words[1])
                    found[number] = []
                elif words[:1] == ["flags"] and number is not None:
                    found[number] += [w for w in words[1:] if w in ("impersonal", "thirdPersonOnly", "noImperative")]
                elif words[:1] == ["missing"] and number is not None:
                    found[number].append("missing " + ",".join(words[1:]))
        return found

    def defective(self):
        rows = []
        restrictions = self.model_restrictions()
        for word in sorted(self.verbs, key=d.sort_key):
            for model, kind, marks in self.verbs[word]:
                if not (kind in PRONOMINAL or "+p" in marks):
                    continue
                why = restrictions.get(model, []) + (["impersonal or third persons when pronominal"]
                                                     if kind in (5, 14, 15) else [])
                if not why and model not in (50, 71, 73) and "+m" not in marks:  # devoir, vouloir, savoir: modal
                    continue
                now = "simple tenses only" if "+m" in marks else "the tenses of the model"
                rows.append((word, f"{'; '.join(why) or 'modal'}: {now}", "+m" in marks))
        print("== Pronominal forms of impersonal, modal or defective verbs")
        changed = undecided = 0
        for word, rules, was_changed in rows:
            decision = self.decision("defective", word, keys=("simple-pronominal",))
            changed += was_changed
            if decision is None:
                undecided += 1
                decision = "UNDECIDED"
            print(f"{word:22} {self.describe(word):44} rules: {rules:34} {shorten(decision)}")
        self.counts["defective"] = (len(rows), changed, undecided)
        print()

    # 11. Every offered pronominal page, by class: a page with a pronominal
    # gloss (the gloss records the use a person found), a pronominal-only verb
    # (the subjects audit), or a page of a rare verb read and kept ("checked
    # pronominal"); any other is undecided.
    def offered(self):
        glosses = {}
        for path in glob.glob(os.path.join(HERE, "definitions", "*.txt")):
            for line in open(path, encoding="utf-8"):
                if "|" in line and not line.startswith("#"):
                    verb, _, pronominal = (p.strip() for p in line.split("|"))
                    glosses[verb] = pronominal
        rows, classes = [], collections.Counter()
        for word in sorted(self.verbs, key=d.sort_key):
            for n, (_, kind, marks) in enumerate(self.verbs[word]):
                if not (kind in PRONOMINAL or "+p" in marks):
                    continue
                key = word if n == 0 else f"{word}#{n + 1}"
                if "+p" in marks:
                    klass, decision = "pronominal only", "[subjects audit]"
                elif glosses.get(key):
                    klass, decision = "glossed", "[gloss] " + glosses[key]
                else:
                    klass = "rare, no definition"
                    decision = self.decision("pronominal", word, keys=("kind",))
                classes[klass] += 1
                rows.append((word, klass, decision))
        print("== Every offered pronominal page, by class")
        undecided = 0
        for word, klass, decision in rows:
            undecided += decision is None
            print(f"{word:22} {self.describe(word):44} {klass:22} {shorten(decision or 'UNDECIDED')}")
        print("  " + ", ".join(f"{k} {v}" for k, v in sorted(classes.items())))
        self.counts["offered"] = (len(rows), 0, undecided)
        print()


def shorten(text, width=150):
    return text if len(text) <= width else text[:width - 1] + "…"


def main():
    chosen = sys.argv[1:] or list(AUDITS)
    audit = Audit()
    for name in chosen:
        if name not in AUDITS:
            sys.exit(f"unknown audit {name}; choose from {', '.join(AUDITS)}")
        getattr(audit, name)()
    print("== Counts (listed / changed from the rules / undecided)")
    for name in chosen:
        listed, changed, undecided = audit.counts[name]
        print(f"  {name:11} {listed:5} {changed:5} {undecided:5}")


if __name__ == "__main__":
    main()
