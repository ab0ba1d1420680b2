#pragma once
// The data view's printing: the default printer, found without a dialog, and a picture of the
// view window stretched over a page.

#include <QPrinter>
#include <functional>
#include <memory>

class QWidget;

namespace korvel {

// The default printer, or null when the system has none (a QPrinter made without one would
// silently turn into a PDF printer without a file).
std::unique_ptr<QPrinter> defaultPrinter();

// Where the view's printing goes; the tests print into PDF files.
using PrinterSource = std::function<std::unique_ptr<QPrinter>()>;

// Prints what the window shows as one page named "Window Contents", stretched over the whole
// printable area. False when the document or the page could not be started.
bool printWindowPicture(QWidget& window, QPrinter& printer);

}  // namespace korvel
