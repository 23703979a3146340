// File > Print: the verb page of the active verb window on one sheet.
#pragma once

#include <QString>

class CChildFrame;
class QPrinter;
class QWidget;

// Asks for a printer (the default one preselected; "Print to File" makes a
// PDF) and prints the page of `window`. Nothing without a verb window.
void PrintCommand(QWidget* frame, CChildFrame* window);

// The job once a printer has been chosen: shows the Printing dialog with
// `frame` disabled, has the window draw its page, and ends the job, or stops
// it when the user cancels. A job that cannot be started or whose printer
// reports an error is reported as "Print request failed". True when the
// page went to the printer.
bool PrintVerbPage(QWidget* frame, CChildFrame& window, QPrinter& printer);

// The Printing dialog's text: "Print <language> verb: <title>", then the
// printer ("Printing on: ") and where the output goes ("Printing to: ").
QString PrintStatusText(const CChildFrame& window, const QPrinter& printer);
