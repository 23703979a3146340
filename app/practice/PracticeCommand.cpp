#include "PracticeCommand.h"

#include <QMdiArea>

#include "CPracticeWnd.h"

namespace practice {

CPracticeWnd* RunPracticeCommand(QMdiArea* area, LanguageModule* module, int32_t activeVerb) {
    if (area == nullptr || module == nullptr) return nullptr;
    auto* window = new CPracticeWnd(module, activeVerb);
    area->addSubWindow(window);
    // Inside the area, at its top right where there is room.
    const QSize room = area->viewport()->size();
    window->resize(qMin(640, room.width()), qMin(580, room.height()));
    window->move(qMax(0, room.width() - window->width()), 0);
    window->show();
    area->setActiveSubWindow(window);
    window->setFocus();
    return window;
}

}  // namespace practice
