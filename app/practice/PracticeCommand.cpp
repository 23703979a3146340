#include "PracticeCommand.h"

#include <QMdiArea>

#include "CPracticeWnd.h"

namespace practice {

CPracticeWnd* RunPracticeCommand(QMdiArea* area, LanguageModule* module, int32_t activeVerb)
{
    if (area == nullptr || module == nullptr) return nullptr;
    auto* window = new CPracticeWnd(module, activeVerb);
    area->addSubWindow(window);
    window->resize(620, 560);
    window->show();
    area->setActiveSubWindow(window);
    window->setFocus();
    return window;
}

}  // namespace practice
