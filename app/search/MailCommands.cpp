#include "MailCommands.h"

#include "CSimpleMapiMail.h"
#include "LanguageModule.h"
#include "UserMessage.h"

void SendCommentMail(QWidget* owner, const std::string& supportAddress) {
    CSimpleMapiMail mail(owner);
    if (mail.TakeError() != 0) return;
    mail.AddRecipient(supportAddress.c_str());
    mail.message.subject = CommentSubject;
    mail.Send(CSimpleMapiMail::MapiDialog);
}

void SendDefinitionsMail(QWidget* owner, LanguageModule* module, const std::string& supportAddress) {
    if (module == nullptr) return;
    if (!module->DefinitionsChanged()) {
        ShowUserMessage(owner, QMessageBox::Warning,
                        QStringLiteral("You have not altered your English Definitions.  "
                                       "To do so make sure your English Definition box is visible.  "
                                       "You may show/hide it from the View menu.  "
                                       "Then you may edit its contents."));
        return;
    }
    CSimpleMapiMail mail(owner);
    if (mail.TakeError() != 0) return;
    // The mail carries the definitions as they are now; a file that cannot
    // be written would send old ones, or none.
    if (!module->SaveDefinitions()) {
        ShowUserMessage(owner, QMessageBox::Warning,
                        QStringLiteral("Your English definitions could not be saved to\n%1")
                            .arg(QString::fromLocal8Bit(module->definitionsPath.c_str())));
        return;
    }
    mail.AddRecipient(supportAddress.c_str());
    mail.message.subject = DefinitionsSubject;
    mail.AddAttachment(module->definitionsPath.c_str());
    mail.Send(CSimpleMapiMail::MapiDialog);
}
