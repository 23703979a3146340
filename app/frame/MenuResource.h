// Menus built from the menu resources (menus.txt).
#pragma once

#include <QList>
#include <QMenu>
#include <functional>

// The action of command `id`, created on first use with the item's text.
using ActionForCommand = std::function<QAction*(int id)>;

// The top-level popups of menu `menuId`, with their items taken from
// `actionFor`; empty when the resource has no such menu. The menus belong to
// `parent`.
QList<QMenu*> LoadMenuResource(int menuId, const ActionForCommand& actionFor, QWidget* parent);

// The text a menu resource gives command `id` ("E&xit"), or an empty string.
QString MenuItemText(int id);

// The top-level popup of `menus` whose title is `title` ("&File"), or null.
QMenu* FindPopup(const QList<QMenu*>& menus, const QString& title);
