// A verb window's page for the clipboard: the title and the tense blocks in
// the order of the page, as plain text and as an HTML table laid out as the
// page is (its rows and columns), so that it pastes well into a word
// processor.
#pragma once

#include <QString>

class CChildFrame;
class QMimeData;

QString PageText(const CChildFrame& window);
QString PageHtml(const CChildFrame& window);
// Both forms together, for QClipboard::setMimeData.
QMimeData* PageMimeData(const CChildFrame& window);
