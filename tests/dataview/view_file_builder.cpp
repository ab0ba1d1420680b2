#include "tests/dataview/view_file_builder.h"

#include <QFile>

#include "datafile/data_file.h"
#include "dataview/readings/reading_table.h"

namespace korvel::test {

std::string rowLine(const Row& r) {
    return r.id + ',' + r.thickness + ',' + r.units + ',' + r.alarm + ",OFF,STD,OFF," + r.note +
           ',' + r.setup + ',' + r.measMode + ',' + r.bscan + ',' + r.ascan + ',';
}

ViewFileBuilder& ViewFileBuilder::reading(const Row& row) {
    if (needsColumnLine_) {
        readingLines_.emplace_back(kReadingColumnLine);
        needsColumnLine_ = false;
    }
    readingLines_.push_back(rowLine(row));
    ++readings_;
    return *this;
}

namespace {

std::vector<std::string> traceLines(const std::vector<int>& values) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < values.size(); ++i) {
        line += ',' + std::to_string(values[i]);
        if (i % 20 == 19 || i + 1 == values.size()) {
            lines.push_back(line + ',');
            line.clear();
        }
    }
    return lines;
}

}  // namespace

ViewFileBuilder& ViewFileBuilder::waveform(const std::vector<int>& max, const std::vector<int>& min,
                                           const std::string& settings) {
    readingLines_.push_back(",Max Data,0,10,18,");
    for (auto& l : traceLines(max)) {
        readingLines_.push_back(l);
    }
    readingLines_.push_back(",Min Data,0,10,18,");
    for (auto& l : traceLines(min)) {
        readingLines_.push_back(l);
    }
    readingLines_.push_back(settings);
    needsColumnLine_ = true;
    return *this;
}

ViewFileBuilder& ViewFileBuilder::line(const std::string& text) {
    readingLines_.push_back(text);
    return *this;
}

ViewFileBuilder& ViewFileBuilder::setupColumns(const std::string& line) {
    setupColumns_ = line;
    return *this;
}

ViewFileBuilder& ViewFileBuilder::setup(const std::string& line) {
    setups_.push_back(line);
    return *this;
}

ViewFileBuilder& ViewFileBuilder::noteColumns(const std::string& line) {
    noteColumns_ = line;
    return *this;
}

ViewFileBuilder& ViewFileBuilder::note(const std::string& line) {
    notes_.push_back(line);
    return *this;
}

ViewFileBuilder& ViewFileBuilder::readingCount(int count) {
    readingCount_ = count;
    return *this;
}

std::string ViewFileBuilder::text() const {
    std::string out = "Product:40-102,Version:v1.09A,\r\n";
    out +=
        "Filename,Type,Version,AScan,Start Row,End Row,# ID,# Setup,# Notes,Created,Last "
        "Saved,\r\n";
    out += "PIPE1.CSV,LINEAR,1,ON,1,9999," + std::to_string(readingCount_.value_or(readings_)) +
           ',' + std::to_string(setups_.size()) + ',' + std::to_string(notes_.size()) +
           ",01/02/2026 10:00 AM,01/02/2026 10:00 AM,\r\n\r\n";
    for (const auto& l : readingLines_) {
        out += l + "\r\n";
    }
    out += "\r\n" + setupColumns_ + "\r\n";
    for (const auto& l : setups_) {
        out += l + "\r\n";
    }
    out += "\r\n" + noteColumns_ + "\r\n";
    for (const auto& l : notes_) {
        out += l + "\r\n";
    }
    return out;
}

std::vector<int> ramp(int count, int first) {
    std::vector<int> values;
    for (int i = 0; i < count; ++i) {
        values.push_back((first + i) % 100);
    }
    return values;
}

std::vector<std::string> columnTexts(const DataViewDialog& view, int column) {
    std::vector<std::string> texts;
    for (int row = 0; row < view.table().rowCount(); ++row) {
        texts.push_back(view.table().text(row, column));
    }
    return texts;
}

ViewFixture::ViewFixture() = default;

ViewFixture::~ViewFixture() = default;

std::string ViewFixture::folder() const {
    return dir_.path().toStdString();
}

std::string ViewFixture::write(const std::string& name, const std::string& bytes) {
    const std::string path = folder() + "/" + name;
    QFile file(QString::fromStdString(path));
    file.open(QIODevice::WriteOnly);
    file.write(bytes.data(), qint64(bytes.size()));
    return path;
}

DataViewDialog& ViewFixture::open(const std::string& path) {
    auto* view = new DataViewDialog(path, texts, nullptr, &voice);
    view->setAttribute(Qt::WA_DeleteOnClose, false);
    owned_.emplace_back(view);
    view->show();
    return *view;
}

}  // namespace korvel::test
