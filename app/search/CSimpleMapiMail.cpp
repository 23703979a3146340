#include "CSimpleMapiMail.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <memory>
#include <new>

#include "UserMessage.h"

const char* const CSimpleMapiMail::UnavailableText =
#ifdef _WIN32
    "Was unable to start Mapi Session.";
#else
    "Was unable to start your e-mail program.  Plimo opens it through xdg-email: "
    "you may need to install xdg-utils and choose a default e-mail program for your desktop.";
#endif
const char* const CSimpleMapiMail::InvalidText = "Mail system DLL is invalid.";
const char* const CSimpleMapiMail::SendFailedText = "Send Mail failed to send message.";

namespace {

int openComposers = 0;

void Tell(QWidget* owner, const char* text) {
    ShowUserMessage(owner, QMessageBox::Warning, QString::fromUtf8(text));
}

// Tells the user what the composer's result means: nothing when it opened
// the message (whatever the user then did with it) or was closed by a signal.
void ReportComposerResult(QWidget* owner, platform::ToolResult result) {
    platform::DescribeMailResult(result);
    if (result.ok || result.stopped) return;
    Tell(owner, result.missing ? CSimpleMapiMail::UnavailableText : CSimpleMapiMail::SendFailedText);
}

// Waits for a started composer without blocking the event loop, reports
// its result and goes away. It dies with the owner window at the latest.
class ComposerWatch : public QObject {
public:
    ComposerWatch(std::unique_ptr<platform::StartedTool> tool, QWidget* owner)
        : QObject(owner), tool_(std::move(tool)), owner_(owner) {
        ++openComposers;
        if (tool_->ExitNotice() >= 0) {
            notifier_ = new QSocketNotifier(tool_->ExitNotice(), QSocketNotifier::Read, this);
            connect(notifier_, &QSocketNotifier::activated, this, &ComposerWatch::Check);
        } else {
            timer_ = new QTimer(this);  // no exit notice on this system: look now and then
            connect(timer_, &QTimer::timeout, this, &ComposerWatch::Check);
            timer_->start(200);
        }
    }

    ~ComposerWatch() override { --openComposers; }

private:
    void Check() {
        std::optional<platform::ToolResult> result = tool_->Poll();
        if (!result || done_) return;
        done_ = true;
        if (notifier_) notifier_->setEnabled(false);
        if (timer_) timer_->stop();
        deleteLater();
        ReportComposerResult(owner_, *result);
    }

    std::unique_ptr<platform::StartedTool> tool_;
    QPointer<QWidget> owner_;
    QSocketNotifier* notifier_ = nullptr;
    QTimer* timer_ = nullptr;
    bool done_ = false;
};

// Shows the wait cursor while it lives.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

CSimpleMapiMail::CSimpleMapiMail(QWidget* owner_) : owner(owner_) {
    switch (platform::MailComposerAvailability()) {
    case platform::ToolAvailability::Found:
        break;
    case platform::ToolAvailability::Missing:
        Tell(owner, UnavailableText);
        error = MailUnavailable;
        break;
    case platform::ToolAvailability::NotExecutable:
        Tell(owner, InvalidText);
        error = MailInvalid;
        break;
    }
}

int CSimpleMapiMail::OpenComposers() { return openComposers; }

int CSimpleMapiMail::TakeError() {
    const int taken = error;
    error = NoError;
    return taken;
}

bool CSimpleMapiMail::AddRecipient(const char* address) {
    try {
        message.recipients.emplace_back(address != nullptr ? address : "");
    } catch (const std::bad_alloc&) {
        error = RecipientsFull;
        return false;
    }
    return true;
}

bool CSimpleMapiMail::AddAttachment(const char* path, const char* /*fileName*/) {
    try {
        message.attachments.emplace_back(path != nullptr ? path : "");
    } catch (const std::bad_alloc&) {
        error = AttachmentsFull;
        return false;
    }
    return true;
}

bool CSimpleMapiMail::Send(uint32_t /*flags: the composer always shows the message*/) {
    bool started = false;
    {
        WaitCursor wait;
        message.body = body;
        platform::ToolStart start = platform::StartMailComposer(message);
        if (start.tool) {
            new ComposerWatch(std::move(start.tool), owner);
            started = true;
        } else {
            ReportComposerResult(owner, start.failure);
        }
    }
    // The frame stays usable while the composer is open; it is the active
    // window again (the composer's own window, when it opens, comes on top).
    if (owner) {
        QWidget* frame = owner->window();
        frame->setEnabled(true);
        frame->activateWindow();
    }
    return started;
}
