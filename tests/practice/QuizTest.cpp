// plimo-conj --quiz on the real module: the answers read from the input are
// judged and kept, and "my mistakes" then asks exactly the forms missed.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <sstream>

#include "QuizCommand.h"
#include "platform/ModuleLoader.h"

namespace {

struct QuizRun {
    int code;
    std::string out, err;
};

QuizRun Quiz(const std::vector<std::string>& args, const std::string& input) {
    std::FILE* in = tmpfile();
    std::FILE* out = tmpfile();
    std::FILE* err = tmpfile();
    std::fputs(input.c_str(), in);
    std::rewind(in);
    QuizRun r{RunQuiz(args, in, out, err), {}, {}};
    for (auto [file, text] : {std::pair{out, &r.out}, std::pair{err, &r.err}}) {
        std::rewind(file);
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) text->append(buffer, n);
        std::fclose(file);
    }
    std::fclose(in);
    return r;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream s(text);
    for (std::string line; std::getline(s, line);) lines.push_back(line);
    return lines;
}

}  // namespace

TEST(Quiz, MissedFormsAreKeptAndAskedAgainAsMistakes) {
    ASSERT_TRUE(std::filesystem::exists(platform::ProgramDirectory() + "/French.ldl"))
        << "French.ldl is built with the tests";
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));

    // Three questions, every answer wrong.
    const QuizRun first = Quiz({"--quiz", "--verbs", "venir, se souvenir", "--tense",
                                "passé simple,Futur Simple", "--count", "3", "--seed", "11"},
                               "x\nx\nx\n");
    ASSERT_EQ(first.code, 0) << first.err;
    const auto lines = Lines(first.out);
    ASSERT_GE(lines.size(), 7u) << first.out;
    std::set<std::string> asked;
    for (size_t i = 0; i < 6; i += 2) {
        asked.insert(lines[i]);
        EXPECT_TRUE(lines[i].find("venir \u2014 Passé Simple") != std::string::npos ||
                    lines[i].find("venir \u2014 Futur Simple") != std::string::npos)
            << lines[i];
        EXPECT_EQ(lines[i + 1].rfind("wrong: ", 0), 0u) << lines[i + 1];
    }
    EXPECT_EQ(lines.back().rfind("Score: 0 of 3", 0), 0u) << lines.back();

    // The input is over: what was answered is kept. The mistakes are the three.
    const QuizRun again = Quiz({"--quiz", "--mistakes", "--seed", "2"}, "");
    ASSERT_EQ(again.code, 0) << again.err;
    EXPECT_TRUE(asked.count(Lines(again.out).front())) << again.out;
    const QuizRun all = Quiz({"--quiz", "--mistakes", "--seed", "2"}, "x\nx\nx\nx\nx\nx\n");
    std::set<std::string> mistakes;
    for (const std::string& line : Lines(all.out))
        if (line.find(" \u2014 ") != std::string::npos) mistakes.insert(line);
    EXPECT_EQ(mistakes, asked);
    // Missed today, due tomorrow.
    EXPECT_EQ(Quiz({"--quiz", "--due"}, "").out, "Nothing is due today.\n");

    // Usage errors name what is wrong.
    const QuizRun bad = Quiz({"--quiz", "--accents", "loose"}, "");
    EXPECT_EQ(bad.code, 2);
    EXPECT_NE(bad.err.find("strict, warn, ignore"), std::string::npos);
    EXPECT_EQ(Quiz({"--quiz", "--verbs", "parlerx"}, "").code, 1);
}

// A drill on the verbs learners meet first: answered wrong, then again with
// the answers the corrections gave, in the order first asked.
TEST(Quiz, TopAsksTheVerbsMetFirst) {
    ASSERT_TRUE(std::filesystem::exists(platform::ProgramDirectory() + "/French.ldl"))
        << "French.ldl is built with the tests";
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
    const std::vector<std::string> args = {"--quiz", "--top", "3", "--count", "3", "--seed", "4"};
    const auto lines = Lines(Quiz(args, "x\nx\nx\nx\nx\nx\n").out);
    std::vector<std::string> prompts, answers;
    std::set<std::string> verbs;  // "je — être — Présent": the verb between the dashes
    for (size_t i = 0; i + 1 < lines.size() && lines[i + 1].rfind("wrong: ", 0) == 0; i += 2) {
        verbs.insert(lines[i].substr(lines[i].find(" \u2014 ") + 5,
                                     lines[i].rfind(" \u2014 ") - lines[i].find(" \u2014 ") - 5));
        if (std::find(prompts.begin(), prompts.end(), lines[i]) != prompts.end()) continue;
        prompts.push_back(lines[i]);
        answers.push_back(lines[i + 1].substr(7) + "\n");
    }
    EXPECT_EQ(verbs, (std::set<std::string>{"\u00eatre", "avoir", "faire"}));
    ASSERT_EQ(prompts.size(), 3u);
    const QuizRun right = Quiz(args, answers[0] + answers[1] + answers[2]);
    EXPECT_EQ(Lines(right.out).back().rfind("Score: 3 of 3 right", 0), 0u) << right.out;
    // More than the module ranks: those it ranks, and a word about it.
    EXPECT_NE(Quiz({"--quiz", "--top", "5000", "--count", "1"}, "").err.find("verbs; asking those"),
              std::string::npos);
    for (const std::vector<std::string>& bad : {std::vector<std::string>{"--quiz", "--top", "0"},
                                                {"--quiz", "--top", "ten"},
                                                {"--quiz", "--top"},
                                                {"--quiz", "--top", "50", "--due"}}) {
        const QuizRun r = Quiz(bad, "");
        EXPECT_EQ(r.code, 2) << bad.back();
        EXPECT_NE(r.err.find(bad.back() == "--due" ? "choose one of" : "--top needs a number"),
                  std::string::npos)
            << r.err;
    }
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// "--quiz" as the value of another option is that option's text, not the
// quiz.
TEST(Quiz, OnlyTheOptionStartsTheQuiz) {
    const std::pair<std::vector<std::string>, bool> table[] = {
        {{"--quiz"}, true},
        {{"--tense", "Présent", "--quiz"}, true},
        {{"--find", "--quiz"}, false},
        {{"--define", "--quiz", "--quiz"}, true},
        {{"--", "--quiz"}, false},
        {{"placer"}, false},
    };
    for (const auto& [args, quiz] : table) EXPECT_EQ(IsQuizCommand(args), quiz) << args.back();
}
