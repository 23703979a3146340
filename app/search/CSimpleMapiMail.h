// A mail to the program's maker, composed in the user's own mail program.
//
// The platform's mail facility starts the desktop's composer (xdg-email on
// Linux) with the recipients, subject and attachments filled in; the user
// sees the message there and sends or discards it. The composer is started
// without waiting for it, so the program never hangs on it and stays usable
// while the message is written; if the composer reports a failure when it
// ends, the user is told then.
//
// A short-lived object on the stack of one command: construct it, call
// TakeError (and stop unless it is 0), add what the mail carries, Send.
#pragma once

#include <QPointer>
#include <cstdint>
#include <string>

#include "platform/Mail.h"

class QWidget;

class CSimpleMapiMail {
public:
    // Values of `error`.
    enum : int {
        NoError = 0,
        MailUnavailable = 1,  // no mail composer is installed
        MailInvalid = 2,      // the composer is there but cannot be run
        RecipientsFull = 3,   // a recipient could not be added
        AttachmentsFull = 5,  // an attachment could not be added
    };
    // Flags of Send.
    static constexpr uint32_t MapiLogonUi = 0x1;
    static constexpr uint32_t MapiDialog = 0x8;

    // The messages shown to the user.
    static const char* const UnavailableText;
    static const char* const InvalidText;
    static const char* const SendFailedText;

    // Finds the mail composer; when there is none, tells the user (owned by
    // `owner`, the frame that routes commands) and sets the error.
    explicit CSimpleMapiMail(QWidget* owner);

    // The error so far, which is then reset to 0.
    int TakeError();

    // The address becomes a recipient; false (error 3) when it cannot be added.
    bool AddRecipient(const char* address);
    // The file at `path` (full path) is attached under its own name; the
    // program always passes a null `fileName`. False (error 5) when it
    // cannot be added.
    bool AddAttachment(const char* path, const char* fileName = nullptr);

    // Opens the composer with the message (the composer always shows it, as
    // MapiDialog asks). True when the composer was started; false, after
    // telling the user, when it could not be.
    bool Send(uint32_t flags);

    // Composers started by Send that have not ended yet.
    static int OpenComposers();

    platform::MailMessage message;  // the subject is set here directly
    int error = NoError;
    std::string body;  // the message's note text

private:
    QPointer<QWidget> owner;
};
