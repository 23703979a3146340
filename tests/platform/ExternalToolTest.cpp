#include <gtest/gtest.h>

#include <poll.h>
#include <sys/stat.h>
#include <csignal>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <fstream>
#include <sstream>

#include "platform/Mail.h"
#include "platform/ShellOpen.h"
#include "../TempFolder.h"

namespace fs = std::filesystem;
using namespace platform;

namespace {

// Puts fake xdg tools first on PATH (or makes PATH hold only them) for the
// life of the object; each fake records its arguments, one a line.
class FakeTools {
public:
    explicit FakeTools(bool onlyFakes = false) {
        const char* path = std::getenv("PATH");
        savedPath_ = path ? path : "";
        std::string newPath = dir_.string();
        if (!onlyFakes) newPath += ":" + savedPath_;
        setenv("PATH", newPath.c_str(), 1);
    }
    ~FakeTools() { setenv("PATH", savedPath_.c_str(), 1); }
    void Add(const std::string& name, const std::string& body) {
        fs::path file = dir_ / name;
        std::ofstream(file) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > "
                            << (dir_ / (name + ".args")).string() << "\n"
                            << body << "\n";
        chmod(file.c_str(), 0755);
    }
    std::string Arguments(const std::string& name) const {
        std::ifstream in(dir_ / (name + ".args"));
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    fs::path dir() const { return dir_; }

private:
    TempFolder folder_{"plimo-tools"};
    fs::path dir_ = folder_.path;
    std::string savedPath_;
};

}  // namespace

TEST(Mail, PassesSubjectAttachmentAndRecipientToXdgEmail) {
    FakeTools tools;
    tools.Add("xdg-email", "exit 0");
    fs::path attachment = tools.dir() / "French.txt";
    std::ofstream(attachment) << "x";
    MailMessage message;
    message.recipients = {"support@example.org"};
    message.subject = "Plimo - English Definitions Update";
    message.attachments = {attachment.string()};
    ToolResult result = ComposeMail(message);
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(tools.Arguments("xdg-email"),
              "--utf8\n--subject\nPlimo - English Definitions Update\n--attach\n" + attachment.string() +
                  "\nsupport@example.org\n");
}

TEST(Mail, ReportsAMissingToolAFailingToolAndAMissingAttachment) {
    {
        FakeTools tools(/*onlyFakes=*/true);
        ToolResult result = ComposeMail({{"a@example.org"}, "s", "", {}});
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.missing);
        EXPECT_NE(result.message.find("xdg-email is not installed"), std::string::npos);
    }
    {
        FakeTools tools;
        tools.Add("xdg-email", "echo 'no mailer configured' >&2; exit 3");
        ToolResult result = ComposeMail({{"a@example.org"}, "s", "", {}});
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.exitCode, 3);
        EXPECT_NE(result.message.find("No mail program"), std::string::npos);
        EXPECT_NE(result.message.find("no mailer configured"), std::string::npos);
    }
    {
        FakeTools tools;
        tools.Add("xdg-email", "exit 0");
        ToolResult result = ComposeMail({{"a@example.org"}, "s", "", {"/nonexistent/French.txt"}});
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.message.find("/nonexistent/French.txt"), std::string::npos);
        EXPECT_EQ(tools.Arguments("xdg-email"), "");  // the tool was not started
    }
}

namespace {

// Waits, without spinning, until a started tool has exited; bounded so that
// a fault cannot hang the suite.
std::optional<ToolResult> AwaitExit(StartedTool& tool) {
    for (int i = 0; i < 200; ++i) {
        if (tool.ExitNotice() >= 0) {
            pollfd notice{tool.ExitNotice(), POLLIN, 0};
            poll(&notice, 1, 50);
        } else {
            usleep(50 * 1000);
        }
        if (std::optional<ToolResult> result = tool.Poll()) return result;
    }
    return std::nullopt;
}

}  // namespace

TEST(StartedTool, ReturnsAtOnceAndReportsTheExitLater) {
    FakeTools tools;
    fs::path gate = tools.dir() / "gate";
    // The fake waits until the test opens the gate, then fails with a message.
    tools.Add("xdg-email", "while [ ! -e " + gate.string() +
                               " ]; do sleep 0.05; done\n"
                               "echo 'no mailer configured' >&2; exit 3");
    fs::path odd = tools.dir() / "-d\u00e9finitions \"Fran\u00e7ais\" 'x'.txt";
    std::ofstream(odd) << "x";
    ToolStart start = StartMailComposer({{"support@example.org"}, "Plimo Comment", "", {odd.string()}});
    ASSERT_TRUE(start.tool) << start.failure.message;
    EXPECT_FALSE(start.tool->Poll()) << "the tool is still waiting at its gate";
    std::ofstream(gate) << "";
    std::optional<ToolResult> result = AwaitExit(*start.tool);
    ASSERT_TRUE(result);
    DescribeMailResult(*result);
    EXPECT_EQ(result->exitCode, 3);
    EXPECT_TRUE(result->missing);
    EXPECT_NE(result->message.find("no mailer configured"), std::string::npos);
    // One argument each, byte for byte, whatever the file name holds.
    EXPECT_EQ(tools.Arguments("xdg-email"),
              "--utf8\n--subject\nPlimo Comment\n--attach\n" + odd.string() + "\nsupport@example.org\n");
    EXPECT_EQ(start.tool->Poll()->exitCode, 3) << "the result stays";
}

TEST(StartedTool, AStoppedToolAndAMissingOneAreToldApart) {
    FakeTools tools;
    fs::path pidFile = tools.dir() / "tool.pid";
    tools.Add("xdg-email", "echo $$ > " + pidFile.string() + "\nexec sleep 600");
    ToolStart start = StartTool("xdg-email", {});
    ASSERT_TRUE(start.tool);
    EXPECT_GT(start.tool->ExitNotice(), -1);  // Linux has process descriptors
    pid_t pid = 0;
    for (int i = 0; i < 200 && pid == 0; ++i) {
        std::ifstream(pidFile) >> pid;
        if (pid == 0) usleep(20 * 1000);
    }
    ASSERT_EQ(pid, pid_t(start.tool->ProcessId()));
    kill(pid, SIGTERM);
    std::optional<ToolResult> result = AwaitExit(*start.tool);
    ASSERT_TRUE(result);
    EXPECT_TRUE(result->stopped);
    EXPECT_FALSE(result->ok);
    EXPECT_FALSE(result->missing);

    EXPECT_EQ(FindTool("xdg-email"), ToolAvailability::Found);
    tools.Add("xdg-email", "exit 0");
    chmod((tools.dir() / "xdg-email").c_str(), 0644);
    FakeTools onlyFakes(/*onlyFakes=*/true);
    EXPECT_EQ(FindTool("xdg-email"), ToolAvailability::Missing);
    setenv("PATH", tools.dir().c_str(), 1);  // restored by onlyFakes
    EXPECT_EQ(FindTool("xdg-email"), ToolAvailability::NotExecutable);
    EXPECT_EQ(MailComposerAvailability(), ToolAvailability::NotExecutable);
    ToolStart missing = StartTool("plimo-no-such-tool", {});
    EXPECT_FALSE(missing.tool);
    EXPECT_TRUE(missing.failure.missing);
}

TEST(ShellOpen, OpensAnAddressAndReportsFailures) {
    FakeTools tools;
    tools.Add("xdg-open", "[ \"$1\" = http://bad.invalid/ ] && exit 4; exit 0");
    EXPECT_TRUE(OpenUrl("http://www.example.org/plimo").ok);
    EXPECT_EQ(tools.Arguments("xdg-open"), "http://www.example.org/plimo\n");
    ToolResult failed = OpenUrl("http://bad.invalid/");
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(failed.exitCode, 4);
    EXPECT_NE(failed.message.find("xdg-open failed (exit code 4)"), std::string::npos);
    EXPECT_FALSE(OpenUrl("").ok);
}

TEST(ShellOpen, DefaultApplicationComesFromXdgMime) {
    FakeTools tools;
    tools.Add("xdg-mime", "echo browser.desktop");
    ToolResult result = DefaultApplicationFor("text/html");
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.output, "browser.desktop");
    EXPECT_EQ(tools.Arguments("xdg-mime"), "query\ndefault\ntext/html\n");

    tools.Add("xdg-mime", "exit 0");  // prints nothing: no default set
    EXPECT_FALSE(DefaultApplicationFor("text/html").ok);
}

TEST(ShellOpen, AMissingXdgOpenIsNamed) {
    FakeTools tools(/*onlyFakes=*/true);
    ToolResult result = OpenUrl("http://www.example.org/");
    EXPECT_TRUE(result.missing);
    EXPECT_NE(result.message.find("xdg-open is not installed"), std::string::npos);
}

TEST(ShellOpen, AProgramLeftRunningByTheToolIsNotWaitedFor) {
    // xdg-open starts the browser and exits; the browser inherits the tool's
    // output handles and may run for hours. The call must return when the
    // tool exits, leaving the browser alone, and still see the tool's errors.
    FakeTools tools;
    fs::path pidFile = tools.dir() / "browser.pid";
    tools.Add("xdg-open",
              "sleep 60 &\necho $! > " + pidFile.string() + "\necho 'opened in the background' >&2\nexit 4");
    ToolResult result = OpenUrl("http://www.example.org/");
    std::ifstream in(pidFile);
    pid_t browser = 0;
    in >> browser;
    ASSERT_GT(browser, 0);
    EXPECT_EQ(kill(browser, 0), 0) << "the background program should still be running";
    kill(browser, SIGTERM);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.exitCode, 4);
    EXPECT_NE(result.message.find("opened in the background"), std::string::npos);
}
