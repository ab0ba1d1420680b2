#pragma once
// The data view's printing: the default printer, found without a dialog, its graph on a page,
// and a picture of the view window stretched over a page.

#include <QPrinter>
#include <QString>
#include <functional>
#include <memory>

#include "dataview/chart/paper_chart.h"

class QWidget;

namespace korvel {

// The default printer, or null when the system has none (a QPrinter made without one would
// silently turn into a PDF printer without a file).
std::unique_ptr<QPrinter> defaultPrinter();

// Where the view's printing goes; the tests print into PDF files.
using PrinterSource = std::function<std::unique_ptr<QPrinter>()>;

// The print dialog's answer: the printer picked, or none because the system has none or
// because the person cancelled (which needs no message).
struct PrinterChoice {
    std::unique_ptr<QPrinter> printer;
    bool cancelled = false;
};
using PrinterChooser = std::function<PrinterChoice()>;

// The printer the person picks in the print dialog, the default one preselected.
PrinterChoice chosenPrinter(QWidget* parent);

// Where a file is saved: the save dialog with its title, the suggested path and the file types
// ("PNG picture (*.png);;PDF document (*.pdf)"); the chosen path, with the suffix of the chosen
// type when the name has none, or empty when cancelled. The tests answer without a dialog.
using SavePathSource =
    std::function<QString(const QString& title, const QString& suggested, const QString& types)>;
SavePathSource savePathDialog(QWidget* parent);

// The picture as large as the printer's page allows, its proportions kept. False when the
// page could not be started.
bool printGraphPicture(const GraphPicture& picture, QPrinter& printer);

// Prints what the window shows as one page named "Window Contents", stretched over the whole
// printable area. False when the document or the page could not be started.
bool printWindowPicture(QWidget& window, QPrinter& printer);

}  // namespace korvel
