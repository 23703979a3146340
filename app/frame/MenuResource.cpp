#include "MenuResource.h"

#include <QFile>
#include <QHash>

namespace {

QStringList ResourceLines() {
    QFile file(QStringLiteral(":/menus.txt"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll()).split('\n');
}

QString Unescape(QString text) { return text.replace(QLatin1String("\\t"), QLatin1String("\t")); }

int IndentOf(const QString& line) {
    int spaces = 0;
    while (spaces < line.size() && line[spaces] == ' ') ++spaces;
    return spaces / 2;
}

}  // namespace

QString MenuItemText(int id) {
    static const QHash<int, QString> texts = [] {
        QHash<int, QString> map;
        for (const QString& raw : ResourceLines()) {
            QString line = raw.trimmed();
            if (!line.startsWith(QLatin1String("item "))) continue;
            QString rest = line.mid(5);
            qsizetype blank = rest.indexOf(' ');
            if (blank <= 0) continue;
            map.insert(rest.left(blank).toInt(), Unescape(rest.mid(blank + 1)));
        }
        return map;
    }();
    return texts.value(id);
}

QList<QMenu*> LoadMenuResource(int menuId, const ActionForCommand& actionFor, QWidget* parent) {
    QList<QMenu*> topLevel;
    QList<QMenu*> stack;  // open popups by depth
    bool inMenu = false;
    for (const QString& raw : ResourceLines()) {
        QString line = raw;
        if (line.trimmed().isEmpty() || line.trimmed().startsWith('#')) continue;
        if (line.startsWith(QLatin1String("menu "))) {
            if (inMenu) break;
            inMenu = line.mid(5).trimmed().toInt() == menuId;
            continue;
        }
        if (!inMenu) continue;
        const int depth = IndentOf(line);
        line = line.trimmed();
        while (stack.size() > depth) stack.removeLast();
        if (line.startsWith(QLatin1String("popup "))) {
            QString title = line.mid(6);
            QMenu* popup = stack.isEmpty() ? new QMenu(title, parent) : stack.last()->addMenu(title);
            if (stack.isEmpty()) topLevel.append(popup);
            stack.append(popup);
        } else if (line == QLatin1String("separator")) {
            if (!stack.isEmpty()) stack.last()->addSeparator();
        } else if (line.startsWith(QLatin1String("item "))) {
            QString rest = line.mid(5);
            qsizetype blank = rest.indexOf(' ');
            int id = rest.left(blank).toInt();
            if (!stack.isEmpty()) {
                if (QAction* action = actionFor(id)) stack.last()->addAction(action);
            }
        }
    }
    return topLevel;
}

QMenu* FindPopup(const QList<QMenu*>& menus, const QString& title) {
    for (QMenu* menu : menus)
        if (menu->title() == title) return menu;
    return nullptr;
}
