// The conjugation engine through the ConjugateVerb export.
#include <gtest/gtest.h>

#include <cstring>

#include "FrenchModule.h"

using namespace testing_support;

namespace {

// Slot of tense t, person p.
int S(int tense, int person) { return tense * 6 + person; }

TEST(Conjugation, RegularVerbFillsEveryTense) {
    const auto c = Conjugate("placer");
    ASSERT_TRUE(c.ok);
    EXPECT_EQ(c.forms[S(0, 0)], "je place");
    EXPECT_EQ(c.forms[S(0, 3)], "nous plaçons");
    EXPECT_EQ(c.forms[S(1, 5)], "ils plaçaient");
    EXPECT_EQ(c.forms[S(2, 3)], "nous plaçâmes");
    EXPECT_EQ(c.forms[S(3, 1)], "tu placeras");
    EXPECT_EQ(c.forms[S(4, 4)], "vous placiez");
    EXPECT_EQ(c.forms[S(5, 2)], "il plaçât");
    EXPECT_EQ(c.forms[S(6, 0)], "je placerais");
    EXPECT_EQ(c.forms[S(7, 0)], "j'ai placé");
    EXPECT_EQ(c.forms[S(8, 3)], "nous avions placé");
    EXPECT_EQ(c.forms[S(9, 2)], "il eut placé");
    EXPECT_EQ(c.forms[S(10, 5)], "ils auront placé");
    EXPECT_EQ(c.forms[S(11, 0)], "j'aie placé");
    EXPECT_EQ(c.forms[S(12, 2)], "il eût placé");
    EXPECT_EQ(c.forms[S(13, 4)], "vous auriez placé");
    EXPECT_EQ(c.forms[84], "place");
    EXPECT_EQ(c.forms[85], "plaçons");
    EXPECT_EQ(c.forms[86], "placez");
    for (int s = 87; s <= 89; ++s) EXPECT_EQ(c.forms[s], "") << s;
    EXPECT_EQ(c.forms[90], "plaçant");
    EXPECT_EQ(c.forms[91], "placé, ée");
    EXPECT_EQ(c.forms[92], "ayant placé");
    EXPECT_EQ(c.forms[93], "placer");
    EXPECT_TRUE(c.canBePronominal);
    EXPECT_FALSE(c.hasAlternate);
}

TEST(Conjugation, PronominalFormTakesReflexivePronounsAndEtre) {
    const auto c = Conjugate("placer", true);
    ASSERT_TRUE(c.pronominal);
    EXPECT_EQ(c.forms[S(0, 0)], "je me place");
    EXPECT_EQ(c.forms[S(0, 3)], "nous nous plaçons");
    EXPECT_EQ(c.forms[S(7, 0)], "je me suis placé");
    EXPECT_EQ(c.forms[S(7, 1)], "tu t'es placé");
    EXPECT_EQ(c.forms[S(7, 3)], "nous nous sommes placés");
    EXPECT_EQ(c.forms[S(7, 5)], "ils se sont placés");
    EXPECT_EQ(c.forms[84], "place-toi");
    EXPECT_EQ(c.forms[85], "plaçons-nous");
    EXPECT_EQ(c.forms[86], "placez-vous");
    EXPECT_EQ(c.forms[90], "se plaçant");
    EXPECT_EQ(c.forms[91], "s'étant placé");
    EXPECT_EQ(c.forms[92], "");
    EXPECT_EQ(c.forms[93], "se placer");
}

TEST(Conjugation, AllerInBothForms) {
    const auto plain = Conjugate("aller");
    EXPECT_EQ(plain.forms[S(0, 0)], "je vais");
    EXPECT_EQ(plain.forms[S(3, 0)], "j'irai");
    EXPECT_EQ(plain.forms[S(7, 0)], "je suis allé");
    EXPECT_EQ(plain.forms[S(7, 4)], "vous êtes allés");
    EXPECT_EQ(plain.forms[84], "va");

    const auto c = Conjugate("aller", true);
    ASSERT_TRUE(c.pronominal);
    EXPECT_EQ(c.forms[0], "je m'en vais");
    EXPECT_EQ(c.forms[S(0, 3)], "nous nous en allons");
    EXPECT_EQ(c.forms[42], "je m'en suis allé");
    EXPECT_EQ(c.forms[S(7, 5)], "ils s'en sont allés");
    EXPECT_EQ(c.forms[91], "s'en étant allé");
    EXPECT_EQ(c.forms[92], "");
    EXPECT_EQ(c.forms[93], "s'en aller");
    EXPECT_EQ(c.forms[90], "s'en allant");
    // The imperative of "s'en aller" exists and keeps its pronouns after the verb.
    EXPECT_EQ(c.forms[84], "va-t'en");
    EXPECT_EQ(c.forms[85], "allons-nous-en");
    EXPECT_EQ(c.forms[86], "allez-vous-en");
}

TEST(Conjugation, AsseoirHasTwoParadigms) {
    const auto c = Conjugate("asseoir", true);
    EXPECT_TRUE(c.hasAlternate);
    EXPECT_EQ(c.labels[0], "IE");
    EXPECT_EQ(c.labels[1], "OI");
    EXPECT_EQ(c.forms[0], "je m'assieds");
    EXPECT_EQ(c.forms[S(7, 1)], "tu t'es assis");
    EXPECT_EQ(c.forms[S(7, 5)], "ils se sont assis");
    EXPECT_EQ(c.forms[84], "assieds-toi");
    EXPECT_EQ(c.forms[93], "s'asseoir");

    const auto oi = Conjugate("asseoir", true, true);
    EXPECT_EQ(oi.forms[0], "je m'assois");
    EXPECT_EQ(oi.forms[84], "assois-toi");
}

TEST(Conjugation, BalayerVariantsIAndY) {
    const auto i = Conjugate("balayer");
    EXPECT_TRUE(i.hasAlternate);
    EXPECT_EQ(i.labels[0], "I");
    EXPECT_EQ(i.labels[1], "Y");
    EXPECT_EQ(i.forms[0], "je balaie");
    EXPECT_EQ(i.forms[S(3, 0)], "je balaierai");
    const auto y = Conjugate("balayer", false, true);
    EXPECT_EQ(y.forms[0], "je balaye");
    EXPECT_EQ(y.forms[S(0, 3)], "nous balayons");
}

TEST(Conjugation, AuxiliaryVariantsAAndE) {
    const auto a = Conjugate("atterrir");
    EXPECT_TRUE(a.hasAlternate);
    EXPECT_FALSE(a.canBePronominal);
    EXPECT_EQ(a.labels[0], "A");
    EXPECT_EQ(a.labels[1], "E");
    EXPECT_EQ(a.forms[42], "j'ai atterri");
    const auto e = Conjugate("atterrir", false, true);
    EXPECT_EQ(e.forms[42], "je suis atterri");
    EXPECT_EQ(e.forms[45], "nous sommes atterris");
}

// The verbs of movement show être first; the labels follow the order, and
// the pronominal form keeps être whichever variant is asked for.
TEST(Conjugation, EtreComesFirstWhereTheMainUseTakesIt) {
    for (const char* verb : {"entrer", "sortir", "monter", "descendre", "passer", "retourner", "accourir"}) {
        const auto first = Conjugate(verb);
        ASSERT_TRUE(first.hasAlternate) << verb;
        EXPECT_EQ(first.labels[0], "E") << verb;
        EXPECT_EQ(first.labels[1], "A") << verb;
        EXPECT_EQ(first.forms[S(7, 0)].rfind("je suis ", 0), 0u) << verb << ": " << first.forms[S(7, 0)];
        const auto second = Conjugate(verb, false, true);
        EXPECT_EQ(second.forms[S(7, 0)].rfind("j'ai ", 0), 0u) << verb << ": " << second.forms[S(7, 0)];
    }
    EXPECT_EQ(Conjugate("entrer").forms[S(7, 3)], "nous sommes entrés");
    EXPECT_EQ(Conjugate("sortir", false, true).forms[92], "ayant sorti");
    EXPECT_EQ(Conjugate("passer", true, true).forms[S(7, 2)], "il s'est passé");
    EXPECT_EQ(Conjugate("passer", true, false).forms[S(7, 2)], "il s'est passé");
    for (const char* verb : {"vieillir", "augmenter", "disparaître"})
        EXPECT_EQ(Conjugate(verb).labels[0], "A") << verb;
}

TEST(Conjugation, MissingTensesShowPlaceholdersUnlessSuppressed) {
    const auto c = Conjugate("absoudre");
    EXPECT_EQ(c.forms[14], "N'existe pas");
    EXPECT_EQ(c.forms[32], "N'existe pas");
    EXPECT_EQ(c.forms[12], "");
    EXPECT_EQ(c.forms[0], "j'absous");

    const auto quiet = Conjugate("absoudre", false, false, true);
    for (int s = 0; s < FormSlotCount; ++s)
        EXPECT_EQ(quiet.forms[s].find("N'existe pas"), std::string::npos) << s;
}

TEST(Conjugation, ImpersonalVerbsKeepOnlyTheThirdPersonSingular) {
    const auto c = Conjugate("neiger");
    for (int t = 0; t < 14; ++t) {
        for (int p = 0; p < 6; ++p) {
            if (p == 2)
                EXPECT_EQ(c.forms[S(t, p)].rfind("il ", 0), 0u) << c.forms[S(t, p)];
            else
                EXPECT_EQ(c.forms[S(t, p)], "") << S(t, p);
        }
    }
    EXPECT_EQ(c.forms[2], "il neige");
    EXPECT_EQ(c.forms[S(1, 2)], "il neigeait");
    EXPECT_EQ(c.forms[S(7, 2)], "il a neigé");
    EXPECT_EQ(c.forms[84], "");
    EXPECT_EQ(c.forms[86], "pas d'impératif");

    const auto quiet = Conjugate("pleuvoir", false, false, true);
    EXPECT_EQ(quiet.forms[86], "");
}

TEST(Conjugation, Falloir) {
    const auto c = Conjugate("falloir");
    EXPECT_EQ(c.forms[2], "il faut");
    EXPECT_EQ(c.forms[S(7, 2)], "il a fallu");
    EXPECT_EQ(c.forms[90], "N'existe pas");
    EXPECT_EQ(c.forms[92], "");
    const auto quiet = Conjugate("falloir", false, false, true);
    EXPECT_EQ(quiet.forms[90], "N'existe pas");
    const auto p = Conjugate("falloir", true);
    EXPECT_EQ(p.forms[2], "il s'en faut");
    EXPECT_EQ(p.forms[S(7, 2)], "il s'en est fallu");
}

TEST(Conjugation, PouvoirPronominalIsImpersonal) {
    const auto c = Conjugate("pouvoir", true);
    EXPECT_EQ(c.forms[2], "il se peut");
    for (int s = 0; s < 84; ++s) {
        if (s % 6 == 2) continue;
        EXPECT_EQ(c.forms[s], "") << s;
    }
    EXPECT_EQ(Conjugate("pouvoir").forms[0], "je peux");
}

TEST(Conjugation, CaSubject) {
    const auto c = Conjugate("boumer");
    EXPECT_EQ(c.forms[2], "ça boume");
    EXPECT_EQ(c.forms[S(7, 2)], "ça a boumé");
    EXPECT_EQ(c.forms[0], "");
    EXPECT_EQ(c.forms[5], "");
}

TEST(Conjugation, ElisionFollowsTheFormWithoutItsPronoun) {
    EXPECT_EQ(Conjugate("acheter").forms[0], "j'achète");
    EXPECT_EQ(Conjugate("avoir").forms[0], "j'ai");
    EXPECT_EQ(Conjugate("être").forms[0], "je suis");
    EXPECT_EQ(Conjugate("lever", true).forms[42], "je me suis levé");
    EXPECT_EQ(Conjugate("lever", true).forms[43], "tu t'es levé");
    // A mute h elides, an h aspiré does not.
    EXPECT_EQ(Conjugate("habiter").forms[0], "j'habite");
    const auto habiller = Conjugate("habiller", true);
    EXPECT_EQ(habiller.forms[0], "je m'habille");
    EXPECT_EQ(habiller.forms[93], "s'habiller");
    EXPECT_EQ(habiller.forms[90], "s'habillant");
    EXPECT_EQ(Conjugate("haïr").forms[0], "je hais");
    EXPECT_EQ(Conjugate("haïr").forms[42], "j'ai haï");
    const auto hater = Conjugate("hâter", true);
    EXPECT_EQ(hater.forms[0], "je me hâte");
    EXPECT_EQ(hater.forms[93], "se hâter");
    EXPECT_EQ(Conjugate("hurler").forms[0], "je hurle");
    EXPECT_EQ(Conjugate("œuvrer").forms[0], "j'œuvre");
    EXPECT_EQ(Conjugate("yodler").forms[0], "je yodle");
}

TEST(Conjugation, PronominalOnlyVerbsAreAlwaysPronominal) {
    for (const char* verb : {"abstenir", "enfuir", "souvenir", "évanouir"}) {
        const auto c = Conjugate(verb, false);
        ASSERT_TRUE(c.ok) << verb;
        EXPECT_TRUE(c.pronominal) << verb;
        EXPECT_TRUE(c.canBePronominal) << verb;
        EXPECT_EQ(c.forms[93].rfind("s", 0), 0u) << c.forms[93];
    }
    EXPECT_EQ(Conjugate("abstenir").forms[0], "je m'abstiens");
    EXPECT_EQ(Conjugate("abstenir").forms[93], "s'abstenir");
    EXPECT_EQ(Conjugate("souvenir").forms[S(7, 0)], "je me suis souvenu");
    EXPECT_EQ(Conjugate("enfuir").forms[84], "enfuis-toi");
}

TEST(Conjugation, NoAgreementKeepsTheSingularParticiple) {
    const auto c = Conjugate("nuire", true);
    EXPECT_EQ(c.forms[S(7, 3)], "nous nous sommes nui");
    EXPECT_EQ(c.forms[S(7, 5)], "ils se sont nui");
    const auto arriver = Conjugate("arriver");
    EXPECT_EQ(arriver.forms[S(7, 3)], "nous sommes arrivés");
    EXPECT_EQ(arriver.forms[S(7, 4)], "vous êtes arrivés");
}

TEST(Conjugation, VerbWithoutPronominalFormResetsTheRequest) {
    const auto c = Conjugate("abdiquer", true);
    ASSERT_TRUE(c.ok);
    EXPECT_FALSE(c.pronominal);
    EXPECT_FALSE(c.canBePronominal);
    EXPECT_EQ(c.forms[0], "j'abdique");
    EXPECT_EQ(c.forms[93], "abdiquer");
}

TEST(Conjugation, SpellingChangesOfTheFirstGroup) {
    EXPECT_EQ(Conjugate("accéder").forms[0], "j'accède");
    EXPECT_EQ(Conjugate("accéder").forms[S(0, 3)], "nous accédons");
    EXPECT_EQ(Conjugate("allécher").forms[0], "j'allèche");
    EXPECT_EQ(Conjugate("agneler").forms[0], "j'agnelle");
    EXPECT_EQ(Conjugate("appeler").forms[S(3, 0)], "j'appellerai");
    EXPECT_EQ(Conjugate("jeter").forms[0], "je jette");
    EXPECT_EQ(Conjugate("geler").forms[0], "je gèle");
    EXPECT_EQ(Conjugate("mener").forms[S(3, 3)], "nous mènerons");
    EXPECT_EQ(Conjugate("manger").forms[S(0, 3)], "nous mangeons");
    EXPECT_EQ(Conjugate("protéger").forms[0], "je protège");
    EXPECT_EQ(Conjugate("protéger").forms[S(0, 3)], "nous protégeons");
    EXPECT_EQ(Conjugate("nettoyer").forms[0], "je nettoie");
    EXPECT_EQ(Conjugate("envoyer").forms[S(3, 0)], "j'enverrai");
    EXPECT_EQ(Conjugate("rapiécer").forms[0], "je rapièce");
    EXPECT_EQ(Conjugate("rapiécer").forms[S(0, 3)], "nous rapiéçons");
    EXPECT_EQ(Conjugate("étudier").forms[S(1, 3)], "nous étudiions");
    EXPECT_EQ(Conjugate("créer").forms[91], "créé, ée");
}

TEST(Conjugation, CommonIrregularVerbs) {
    EXPECT_EQ(Conjugate("être").forms[S(0, 4)], "vous êtes");
    EXPECT_EQ(Conjugate("avoir").forms[S(7, 0)], "j'ai eu");
    EXPECT_EQ(Conjugate("être").forms[S(7, 0)], "j'ai été");
    EXPECT_EQ(Conjugate("faire").forms[S(0, 4)], "vous faites");
    EXPECT_EQ(Conjugate("dire").forms[S(0, 4)], "vous dites");
    EXPECT_EQ(Conjugate("médire").forms[S(0, 4)], "vous médisez");
    EXPECT_EQ(Conjugate("venir").forms[S(7, 0)], "je suis venu");
    EXPECT_EQ(Conjugate("tenir").forms[S(2, 3)], "nous tînmes");
    EXPECT_EQ(Conjugate("prendre").forms[S(0, 5)], "ils prennent");
    EXPECT_EQ(Conjugate("mettre").forms[91], "mis, ise");
    EXPECT_EQ(Conjugate("voir").forms[S(3, 0)], "je verrai");
    EXPECT_EQ(Conjugate("savoir").forms[84], "sache");
    EXPECT_EQ(Conjugate("vouloir").forms[S(4, 0)], "je veuille");
    EXPECT_EQ(Conjugate("devoir").forms[91], "dû, ue");
    EXPECT_EQ(Conjugate("naître").forms[S(7, 0)], "je suis né");
    EXPECT_EQ(Conjugate("mourir").forms[S(7, 2)], "il est mort");
    EXPECT_EQ(Conjugate("croître").forms[S(0, 2)], "il croît");
    EXPECT_EQ(Conjugate("connaître").forms[S(0, 2)], "il connaît");
    EXPECT_EQ(Conjugate("résoudre").forms[91].rfind("résolu", 0), 0u);
    EXPECT_EQ(Conjugate("plaire").forms[S(0, 2)], "il plaît");
    EXPECT_EQ(Conjugate("finir").forms[S(0, 3)], "nous finissons");
    EXPECT_EQ(Conjugate("haïr").forms[S(0, 3)], "nous haïssons");
    EXPECT_EQ(Conjugate("conduire").forms[91], "conduit, ite");
    EXPECT_EQ(Conjugate("peindre").forms[S(0, 3)], "nous peignons");
    EXPECT_EQ(Conjugate("ouvrir").forms[91], "ouvert, erte");
}

TEST(Conjugation, VerbsTheProgramShowsAsExamplesHaveTheirKinds) {
    // Auxiliary and pronominal behaviour of the verbs named in the kinds table.
    EXPECT_TRUE(Conjugate("atterrir").hasAlternate);
    EXPECT_FALSE(Conjugate("arriver").hasAlternate);
    EXPECT_EQ(Conjugate("décéder").forms[S(7, 2)], "il est décédé");
    EXPECT_EQ(Conjugate("complaire", true).forms[S(7, 5)], "ils se sont complu");
    EXPECT_EQ(Conjugate("mourir", true).forms[0], "je me meurs");
    EXPECT_EQ(Conjugate("boumer").forms[2], "ça boume");
    const auto changer = Conjugate("changer", false, true);
    EXPECT_TRUE(changer.hasAlternate && changer.canBePronominal);
    EXPECT_EQ(changer.forms[42], "je suis changé");
    EXPECT_EQ(Conjugate("augmenter").forms[42], "j'ai augmenté");
    EXPECT_EQ(Conjugate("grêler").forms[2], "il grêle");
    EXPECT_EQ(Conjugate("bruiner").forms[0], "");
    const auto convenir = Conjugate("convenir", false, true);
    EXPECT_EQ(convenir.forms[S(7, 3)], "nous sommes convenus");
    EXPECT_EQ(Conjugate("convenir", true).forms[S(7, 3)], "nous nous sommes convenu");
    EXPECT_EQ(Conjugate("résulter", false, true).forms[S(7, 2)], "il est résulté");
    EXPECT_EQ(Conjugate("résulter").forms[S(0, 5)], "ils résultent");
    EXPECT_EQ(Conjugate("résulter").forms[0], "");
    EXPECT_EQ(Conjugate("bruire").forms[0], "");
    EXPECT_EQ(Conjugate("seoir").forms[S(0, 2)], "il sied");
    EXPECT_EQ(Conjugate("ensuivre", true).forms[S(0, 5)], "ils s'ensuivent");
    EXPECT_EQ(Conjugate("ensuivre", true).forms[0], "");
    EXPECT_EQ(Conjugate("advenir").forms[S(7, 2)], "il est advenu");
}

TEST(Conjugation, TheTwoSaillirAreDistinctVerbs) {
    const auto both = VerbIndices("saillir");
    ASSERT_EQ(both.size(), 2u);
    const auto first = Conjugate(both[0]);
    const auto second = Conjugate(both[1]);
    EXPECT_NE(first.forms[S(3, 2)], second.forms[S(3, 2)]);  // saillira / saillera
}

TEST(Conjugation, RefusesBadArgumentsWithoutWritingAnything) {
    const auto& m = Module();
    char buffers[FormSlotCount][FormBufferSize];
    char* forms[FormSlotCount];
    for (int s = 0; s < FormSlotCount; ++s) {
        forms[s] = buffers[s];
        std::memcpy(buffers[s], "untouched", 10);
    }
    char labels[8] = "xxxxxxx";
    for (int32_t index : {-1, m.GetVerbCount(), INT32_MIN, INT32_MAX}) {
        bool hasAlternate = true, canBePronominal = true, useAlternate = false, pronominal = true;
        EXPECT_FALSE(m.ConjugateVerb(index, false, &hasAlternate, &canBePronominal, &useAlternate,
                                     &pronominal, labels, forms));
        EXPECT_TRUE(hasAlternate && canBePronominal && pronominal);
    }
    bool a = false, b = false, c = false, d = false;
    EXPECT_FALSE(m.ConjugateVerb(0, false, &a, &b, &c, &d, labels, nullptr));
    EXPECT_FALSE(m.ConjugateVerb(0, false, nullptr, &b, &c, &d, labels, forms));
    EXPECT_FALSE(m.ConjugateVerb(0, false, &a, nullptr, &c, &d, labels, forms));
    EXPECT_FALSE(m.ConjugateVerb(0, false, &a, &b, nullptr, &d, labels, forms));
    EXPECT_FALSE(m.ConjugateVerb(0, false, &a, &b, &c, nullptr, labels, forms));
    forms[50] = nullptr;
    EXPECT_FALSE(m.ConjugateVerb(0, false, &a, &b, &c, &d, labels, forms));
    for (int s = 0; s < FormSlotCount; ++s) {
        if (s == 50) continue;
        EXPECT_STREQ(buffers[s], "untouched") << s;
    }
    EXPECT_STREQ(labels, "xxxxxxx");
}

TEST(Conjugation, NullLabelBufferIsAllowed) {
    char buffers[FormSlotCount][FormBufferSize];
    char* forms[FormSlotCount];
    for (int s = 0; s < FormSlotCount; ++s) forms[s] = buffers[s];
    bool a = false, b = false, c = false, d = false;
    EXPECT_TRUE(Module().ConjugateVerb(VerbIndex("balayer"), false, &a, &b, &c, &d, nullptr, forms));
    EXPECT_TRUE(a);
}

// Every verb in every variant: forms fit their buffers, pronouns and
// placeholders are where they belong.
TEST(Conjugation, EveryVerbConjugatesCleanly) {
    const int count = Module().GetVerbCount();
    size_t longest = 0;
    for (int i = 0; i < count; ++i) {
        for (int variant = 0; variant < 4; ++variant) {
            const auto c = Conjugate(i, variant & 1, variant & 2);
            ASSERT_TRUE(c.ok) << i;
            for (int s = 0; s < FormSlotCount; ++s) longest = std::max(longest, ToCp1252(c.forms[s]).size());
            EXPECT_NE(c.forms[93], "") << i;
            // An existing person form has more than its pronoun.
            for (int s = 0; s < 84; ++s) {
                const std::string& f = c.forms[s];
                if (f.empty() || f == "N'existe pas") continue;
                EXPECT_NE(f.back(), ' ') << i << " slot " << s << " '" << f << "'";
                EXPECT_NE(f.back(), '\'') << i << " slot " << s << " '" << f << "'";
            }
        }
    }
    EXPECT_LE(longest, static_cast<size_t>(FormBufferSize - 1));
}

// Forms a grammarian's review found wrong, one row per verb and slot. `entry`
// is 1 for the second verb of a repeated infinitive.
struct ReviewedForm {
    const char* verb;
    int entry;
    bool pronominal;
    bool alternate;
    int slot;
    const char* form;  // "" when the form does not exist
};

const ReviewedForm kReviewedForms[] = {
    {"fuir", 0, false, false, S(0, 3), "nous fuyons"},
    {"fuir", 0, false, false, S(1, 0), "je fuyais"},
    {"fuir", 0, false, false, S(0, 5), "ils fuient"},
    {"reparcourir", 0, false, false, S(0, 0), "je reparcours"},
    {"galéjer", 0, false, false, S(0, 0), "je galèje"},
    {"téléopérer", 0, false, false, S(0, 5), "ils téléopèrent"},
    {"arguer", 0, false, false, S(0, 0), "j'arguë"},
    {"arguer", 0, false, false, S(0, 5), "ils arguënt"},
    {"arguer", 0, false, false, S(3, 0), "j'arguërai"},
    {"arguer", 0, false, false, S(0, 3), "nous arguons"},
    {"arguer", 0, false, false, S(1, 3), "nous arguïons"},
    {"arguer", 0, false, false, S(4, 4), "vous arguïez"},
    {"clore", 0, false, false, S(0, 2), "il clôt"},
    {"éclore", 0, false, false, S(0, 2), "il éclot"},
    {"enclore", 0, false, false, S(0, 2), "il enclot"},
    {"dégeler", 0, false, false, S(0, 0), "je dégèle"},
    {"regeler", 0, false, false, S(0, 5), "ils regèlent"},
    {"barder", 0, false, false, S(0, 0), "je barde"},
    {"grésiller", 0, false, false, S(0, 5), "ils grésillent"},
    {"tangenter", 0, false, false, S(0, 0), "je tangente"},
    {"pleuvoir", 0, false, false, S(0, 5), "ils pleuvent"},
    {"pleuvoir", 0, false, false, S(0, 0), ""},
    {"dépendre", 0, false, false, S(0, 0), "je dépends"},
    {"dépendre", 0, false, false, 84, "dépends"},
    {"obvenir", 0, false, false, S(7, 5), "ils sont obvenus"},
    {"agenouiller", 0, false, true, S(7, 0), "j'ai agenouillé"},
    {"apparaître", 0, false, false, S(7, 2), "il est apparu"},
    {"agenouiller", 0, true, false, S(7, 0), "je me suis agenouillé"},
    {"humer", 0, false, false, S(0, 0), "j'hume"},
    {"mourir", 0, true, false, S(0, 2), "il se meurt"},
    {"mourir", 0, true, false, S(1, 5), "ils se mouraient"},
    {"mourir", 0, true, false, S(7, 0), ""},
    {"mourir", 0, true, false, S(2, 2), "N'existe pas"},
    {"mourir", 0, true, false, S(5, 0), ""},
    {"mourir", 0, true, false, 84, ""},
    {"mourir", 0, true, false, 91, ""},
    {"mourir", 0, false, false, S(7, 0), "je suis mort"},
    {"pouvoir", 0, true, false, S(0, 2), "il se peut"},
    {"pouvoir", 0, true, false, S(6, 2), "il se pourrait"},
    {"pouvoir", 0, true, false, S(7, 2), "N'existe pas"},
    {"agir", 0, true, false, S(7, 2), "il s'est agi"},
    {"suffire", 0, true, false, S(0, 0), "je me suffis"},
    {"suffire", 0, true, false, S(7, 3), "nous nous sommes suffi"},
    {"arroger", 0, true, false, S(7, 5), "ils se sont arrogé"},
    {"demander", 0, true, false, S(7, 3), "nous nous sommes demandé"},
    {"insupporter", 0, false, false, S(0, 2), "il insupporte"},
    {"absenter", 0, false, false, S(0, 0), "je m'absente"},
    {"attabler", 0, false, false, S(7, 2), "il s'est attablé"},
    {"sortir", 1, false, false, S(0, 5), "ils sortissent"},
    {"sortir", 1, false, false, S(0, 0), ""},
    {"ressortir", 1, false, false, S(0, 2), "il ressortit"},
    {"saillir", 1, false, false, S(3, 2), "il saillera"},
    // Prefixed verbs decided apart from their base: an indirect reflexive.
    {"reparler", 0, true, false, S(7, 3), "nous nous sommes reparlé"},
    {"réattribuer", 0, true, false, S(7, 5), "ils se sont réattribué"},
    {"approprier", 0, true, false, S(7, 5), "ils se sont approprié"},
    {"interdire", 0, true, false, S(7, 3), "nous nous sommes interdit"},
    {"pardonner", 0, true, false, S(7, 5), "ils se sont pardonné"},
    {"défigurer", 0, true, false, S(7, 5), "ils se sont défigurés"},
    // The familiar ficher has its own participle; the plain one keeps fiché.
    {"ficher", 1, true, false, S(7, 2), "il s'est fichu"},
    {"ficher", 1, false, false, S(7, 0), "j'ai fichu"},
    {"ficher", 0, false, false, S(7, 0), "j'ai fiché"},
    {"contreficher", 0, true, false, S(7, 5), "ils se sont contrefichus"},
    // Reciprocal verbs: plural persons and a collective il.
    {"entraider", 0, true, false, S(0, 0), ""},
    {"entraider", 0, true, false, S(0, 2), "il s'entraide"},
    {"entraider", 0, true, false, S(7, 3), "nous nous sommes entraidés"},
    {"entraider", 0, true, false, 84, ""},
    {"entraider", 0, true, false, 85, "entraidons-nous"},
    {"entre-tuer", 0, true, false, S(2, 1), ""},
    {"entre-nuire", 0, true, false, S(7, 5), "ils se sont entre-nui"},
    // Pronominal-only verbs said of things: third persons, no imperative.
    {"périmer", 0, true, false, S(0, 0), ""},
    {"périmer", 0, true, false, S(7, 2), "il s'est périmé"},
    {"périmer", 0, true, false, 86, "pas d'impératif"},
    {"pommeler", 0, true, false, S(0, 5), "ils se pommellent"},
    // Defective verbs: poindre at the third singular, choir's one imperfect subjunctive.
    {"poindre", 0, false, false, S(0, 2), "il point"},
    {"poindre", 0, false, false, S(0, 0), ""},
    {"poindre", 0, false, false, S(7, 2), "il a point"},
    {"choir", 0, false, false, S(5, 2), "il chût"},
    {"malfaire", 0, false, false, S(0, 2), "N'existe pas"},
    {"malfaire", 0, false, false, 93, "malfaire"},
    {"choir", 0, false, false, S(5, 0), ""},
    // The participle line of verbs restricted to il or the third persons.
    {"neiger", 0, false, false, 91, "neigé"},
    {"incomber", 0, false, false, 91, "incombé"},
    {"résulter", 0, false, false, 91, "résulté"},
    {"boumer", 0, false, false, 91, "boumé"},
    {"seoir", 0, false, false, 91, "sis, ise"},
    {"placer", 0, false, false, 91, "placé, ée"},
    {"exister", 0, false, false, 91, "existé"},
    {"lutter", 0, false, false, 91, "lutté"},
    {"sembler", 0, false, false, 92, "ayant semblé"},
    {"obéir", 0, false, false, 91, "obéi, ie"},
};

TEST(Conjugation, ReviewedFormsStayCorrected) {
    for (const auto& row : kReviewedForms) {
        const auto indices = VerbIndices(row.verb);
        ASSERT_GT(static_cast<int>(indices.size()), row.entry) << row.verb;
        const auto c = Conjugate(indices[row.entry], row.pronominal, row.alternate);
        EXPECT_EQ(c.forms[row.slot], row.form) << row.verb << " slot " << row.slot;
    }
}

TEST(Conjugation, WithdrawnPronominalFormsAreNotOffered) {
    for (const char* verb : {"concourir", "dépendre", "insupporter", "réussir", "admonester", "véroler",
                             "préinstaller", "rentrer", "descendre", "assaillir"})
        EXPECT_FALSE(Conjugate(verb, true).canBePronominal) << verb;
    EXPECT_FALSE(Conjugate("dégeler").hasAlternate);
    EXPECT_FALSE(Conjugate("agenouiller").hasAlternate);
    EXPECT_EQ(VerbIndices("dépendre").size(), 1u);
    // Common pronominal uses are offered, and keep the verb's variants.
    for (const char* verb : {"interpeller", "muscler", "morceler", "écarquiller", "relancer", "réunifier"})
        EXPECT_TRUE(Conjugate(verb, true).canBePronominal) << verb;
    EXPECT_TRUE(Conjugate("rentrer").hasAlternate);
}

}  // namespace
