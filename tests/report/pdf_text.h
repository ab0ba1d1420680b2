#pragma once
// What the report tests read back from a PDF with the Poppler tools (pdfinfo, pdftotext), and
// the signer and sample files they report with.

#include <QString>
#include <QStringList>
#include <map>
#include <string>

#include "report/inspection_report.h"

namespace korvel::test {

QString qPath(const std::string& path);
// The program's standard output.
std::string run(const QString& program, const QStringList& arguments);
// The page count pdfinfo gives, or -1.
int pdfPages(const std::string& path);
// How often each "first second" pair of words starts a line of the PDF's text.
std::map<std::string, int> leadingPairs(const std::string& path);

ReportSigner signer(const TextTable& texts);
// The bytes of a shipped sample file, or empty.
std::string sample(const std::string& name);

}  // namespace korvel::test
