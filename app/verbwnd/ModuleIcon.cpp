#include "ModuleIcon.h"

#include <QHash>
#include <QPixmap>

#include "LanguageModule.h"

QIcon ModuleIcon(const LanguageModule* module) {
    if (module == nullptr || module->moduleIcon == nullptr || module->moduleIcon->data == nullptr) return {};
    const ResourceEntry* icon = module->moduleIcon;
    // Many windows show the same few icons: each is decoded once.
    static QHash<const void*, QIcon> decoded;
    auto it = decoded.constFind(icon->data);
    if (it != decoded.constEnd()) return it.value();
    QPixmap pixmap;
    QIcon result;
    if (pixmap.loadFromData(static_cast<const uchar*>(icon->data), icon->size, "ICO")) result = QIcon(pixmap);
    decoded.insert(icon->data, result);
    return result;
}
