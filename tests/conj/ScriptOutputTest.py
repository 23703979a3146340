"""plimo-conj's output for scripts (--format json and tsv, --tense) read back
with Python's own parsers and compared with the text page, form by form.

    python3 ScriptOutputTest.py PLIMO-CONJ
"""
import json
import os
import subprocess
import sys
import tempfile
import unittest

PROGRAM = None

PAGE_FIELDS = ["infinitive", "entry", "title", "pronominal", "can_be_pronominal", "alternate", "variant", "variants",
               "tenses"]
PAGE_TSV = ["infinitive", "pronominal", "alternate", "variant", "tense", "person", "form"]
FIND_FIELDS = ["infinitive", "form", "tense", "pronominal", "alternate"]


def run(*arguments, code=0):
    done = subprocess.run([PROGRAM, *arguments], capture_output=True)
    if done.returncode != code:
        raise AssertionError(f"plimo-conj {' '.join(arguments)}: exit {done.returncode}\n"
                             f"{done.stderr.decode('utf-8', 'replace')}")
    return done.stdout.decode("utf-8"), done.stderr.decode("utf-8")


def page_from_json(page):
    """The text page that the JSON object stands for."""
    lines = [page["title"]]
    if len(page["variants"]) == 2:  # the text page names the variant it does not show
        other = page["variants"][0 if page["alternate"] else 1]
        what = {"A": "with the auxiliary avoir", "E": "with the auxiliary être"}.get(other, "the variant " + other)
        lines.append(f"(also {what}: {'without --alternate' if page['alternate'] else '--alternate'})")
    for block in page["tenses"]:
        lines += ["", block["tense"]] + [f["form"] for f in block["forms"]]
    return "\n".join(lines) + "\n"


class ScriptOutput(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        os.chdir(self.folder.name)

    def tearDown(self):
        os.chdir("/")
        self.folder.cleanup()

    def test_every_form_of_a_page_round_trips(self):
        # Apostrophes (j'aime, s'en aller), œ, both variants and a pronominal form.
        for arguments in (["placer"], ["aimer"], ["s'en aller"], ["s'asseoir"], ["--alternate", "s'asseoir"],
                          ["écœurer"], ["--alternate", "balayer"], ["--pronominal", "placer"]):
            with self.subTest(arguments=arguments):
                text, _ = run(*arguments)
                page = json.loads(run("--format", "json", *arguments)[0])
                self.assertEqual(list(page), PAGE_FIELDS)
                self.assertEqual(page_from_json(page), text)
                tsv = run("--format", "tsv", *arguments)[0].splitlines()
                self.assertEqual(tsv[0].split("\t"), PAGE_TSV)
                rows = [line.split("\t") for line in tsv[1:]]
                forms = [(block["tense"], "" if f["person"] is None else str(f["person"]), f["form"])
                         for block in page["tenses"] for f in block["forms"]]
                self.assertEqual([(r[4], r[5], r[6]) for r in rows], forms)
                start = [page["infinitive"], str(int(page["pronominal"])), str(int(page["alternate"])),
                         page["variant"] or ""]
                self.assertTrue(all(r[:4] == start for r in rows))

        asseoir = json.loads(run("--format", "json", "--alternate", "s'asseoir")[0])
        self.assertEqual((asseoir["infinitive"], asseoir["title"], asseoir["variants"], asseoir["variant"]),
                         ("asseoir", "s'asseoir", ["IE", "OI"], "OI"))
        present = asseoir["tenses"][0]
        self.assertEqual(present["forms"][0], {"person": 1, "form": "je m'assois"})
        imperative = next(b for b in asseoir["tenses"] if b["tense"] == "Impératif")
        self.assertEqual([f["person"] for f in imperative["forms"]], [2, 4, 5])

    def test_all_is_one_object_a_line_and_missing_forms_are_left_out(self):
        lines = run("--all", "--format", "json")[0].splitlines()
        pages = [json.loads(line) for line in lines]
        self.assertEqual(len(pages), int(run("--all", "--format", "json", "--tense", "infinitif")[0].count("\n")))
        self.assertGreater(len(pages), 6000)
        self.assertTrue(all(list(p) == PAGE_FIELDS for p in pages))
        placeholders = {"N'existe pas", "pas d'impératif"}
        self.assertFalse([p["infinitive"] for p in pages for b in p["tenses"] for f in b["forms"]
                          if f["form"] in placeholders])
        absoudre = next(p for p in pages if p["infinitive"] == "absoudre")
        self.assertEqual(next(b for b in absoudre["tenses"] if b["tense"] == "Passé Simple")["forms"], [])

    def test_find_and_define(self):
        text, _ = run("--find", "aimerions")
        found = json.loads(run("--find", "aimerions", "--format", "json")[0])
        self.assertEqual(list(found), ["text", "complete", "matches"])
        self.assertEqual((found["text"], found["complete"]), ("aimerions", True))
        self.assertTrue(all(list(m) == FIND_FIELDS for m in found["matches"]))
        self.assertEqual([line.split("\t")[1:] for line in text.splitlines()],
                         [[m["form"], m["tense"]] for m in found["matches"]])
        self.assertIn({"infinitive": "aimer", "form": "nous nous aimerions", "tense": "Conditionnel",
                       "pronominal": True, "alternate": False}, found["matches"])
        tsv = run("--find", "aimerions", "--format", "tsv")[0].splitlines()
        self.assertEqual(tsv[0].split("\t"), FIND_FIELDS)
        self.assertEqual(len(tsv) - 1, len(found["matches"]))
        meanings = json.loads(run("--find", "to place", "--definitions", "--format", "json")[0])["matches"]
        self.assertIn({"infinitive": "placer", "definition": "to place, to put, to seat, to invest",
                       "pronominal": False, "alternate": False}, meanings)
        self.assertEqual(run("--find", "to place", "--definitions", "--format", "tsv")[0].split("\n")[0],
                         "infinitive\tdefinition\tpronominal\talternate")
        many = json.loads(run("--find", "e", "--format", "json")[0])
        self.assertEqual((many["complete"], len(many["matches"])), (False, 200))

        # The user's own definition, with quotes, a backslash and a tab.
        with open("French.txt", "wb") as file:
            file.write("Verb, Pronominal ( 0 or 1), English Definition\r\n"
                       "placer,0,to say \"put\" \\ here\tnow, œuvre\r\n".encode("cp1252"))
        defined = json.loads(run("--define", "placer", "--format", "json")[0])
        self.assertEqual(defined, {"infinitive": "placer", "pronominal": False,
                                   "definition": "to say \"put\" \\ here\tnow, œuvre"})
        self.assertEqual(run("--define", "placer", "--format", "tsv")[0],
                         "infinitive\tpronominal\tdefinition\nplacer\t0\tto say \"put\" \\ here now, œuvre\n")

    def test_what_a_new_user_tries(self):
        # The tenses are chosen first, then the 200 matches: "nous fûmes"
        # comes long after the first 200 forms holding "fûmes".
        text, _ = run("--find", "fûmes", "--tense", "passe-simple")
        self.assertIn("être\tnous fûmes\tPassé Simple", text.splitlines())
        # No match: scripts still read a result, and the exit status says so.
        self.assertEqual(json.loads(run("--find", "zzqx", "--format", "json", code=1)[0]),
                         {"text": "zzqx", "complete": True, "matches": []})
        self.assertEqual(run("--find", "zzqx", "--format", "tsv", code=1)[0], "\t".join(FIND_FIELDS) + "\n")
        # Names in any case, as the program takes them; "sortir#2" is the
        # second sortir, and every page of --all is told apart.
        self.assertEqual(run("ALLER")[0], run("aller")[0])
        self.assertEqual(run("S'Asseoir")[0], run("s'asseoir")[0])
        self.assertNotEqual(run("--define", "sortir#2")[0], run("--define", "sortir")[0])
        self.assertEqual(json.loads(run("--format", "json", "sortir#2")[0])["entry"], 2)
        pages = [json.loads(line) for line in run("--all", "--format", "json")[0].splitlines()]
        named = [(page["infinitive"], page["entry"]) for page in pages]
        self.assertEqual(len(named), len(set(named)))
        self.assertIn(("sortir", 2), named)

    def test_tenses_and_formats_asked_for(self):
        page = json.loads(run("--format", "json", "--tense", "PASSE_COMPOSE,présent", "--tense", "Participe Passé",
                              "placer")[0])
        self.assertEqual([b["tense"] for b in page["tenses"]], ["Présent", "Passé Composé", "Participe Passé"])
        text, _ = run("--tense", "imperatif", "placer")
        self.assertEqual(text, "placer\n\nImpératif\nplace\nplaçons\nplacez\n")
        found = json.loads(run("--find", "aimer", "--whole-word", "--tense", "infinitif", "--format", "json")[0])
        self.assertEqual({m["tense"] for m in found["matches"]}, {"Infinitif"})

        out, err = run("--tense", "futur", "placer", code=2)
        self.assertEqual(out, "")
        self.assertIn('unknown tense "futur"; the tenses are: Présent, Imparfait', err)
        out, err = run("--format", "yaml", "placer", code=2)
        self.assertEqual(out, "")
        self.assertIn('unknown format "yaml" (text, json, tsv)', err)


if __name__ == "__main__":
    PROGRAM = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=1)
