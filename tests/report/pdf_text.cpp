#include "tests/report/pdf_text.h"

#include <QProcess>
#include <sstream>

#include "tools/sample_files.h"

namespace korvel::test {

QString qPath(const std::string& path) {
    return QString::fromStdString(path);
}

std::string run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return process.readAllStandardOutput().toStdString();
}

int pdfPages(const std::string& path) {
    std::istringstream info(run("pdfinfo", {qPath(path)}));
    for (std::string line; std::getline(info, line);) {
        if (line.rfind("Pages:", 0) == 0) {
            return std::stoi(line.substr(6));
        }
    }
    return -1;
}

std::map<std::string, int> leadingPairs(const std::string& path) {
    std::istringstream text(run("pdftotext", {"-layout", qPath(path), "-"}));
    std::map<std::string, int> pairs;
    for (std::string line; std::getline(text, line);) {
        std::istringstream words(line);
        std::string first, second;
        if (words >> first >> second) {
            ++pairs[first + " " + second];
        }
    }
    return pairs;
}

ReportSigner signer(const TextTable& texts) {
    return {texts, "Korvel - Version 3.7.3", "2026-12-08 10:00"};
}

std::string sample(const std::string& name) {
    for (const auto& file : samples::sampleSet()) {
        if (file.name == name) {
            return file.bytes;
        }
    }
    return {};
}

}  // namespace korvel::test
