#pragma once
// Writes small data files for the data view tests: readings in the gauge's layout (the column
// line before the first reading and again after every waveform block), setups and notes, with
// the header counts taken from what was added unless a test sets them.

#include <QTemporaryDir>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/text_table.h"
#include "dataview/dialog/data_view_dialog.h"
#include "tests/support/recording_voice.h"

namespace korvel::test {

struct Row {
    std::string id = "0001";
    std::string thickness = "0.254";
    std::string units = "IN";
    std::string alarm = "OFF";
    std::string note = "0";
    std::string setup = "1";
    std::string measMode = "STD";
    std::string bscan = "OFF";
    std::string ascan = "OFF";
};

std::string rowLine(const Row& row);

class ViewFileBuilder {
  public:
    ViewFileBuilder& reading(const Row& row);
    // A waveform block after the last reading (whose "A Scan" should be "ON").
    ViewFileBuilder& waveform(const std::vector<int>& max, const std::vector<int>& min,
                              const std::string& settings);
    ViewFileBuilder& line(const std::string& text);  // any line in the reading block
    ViewFileBuilder& setupColumns(const std::string& line);
    ViewFileBuilder& setup(const std::string& line);
    ViewFileBuilder& noteColumns(const std::string& line);
    ViewFileBuilder& note(const std::string& line);
    ViewFileBuilder& readingCount(int count);

    std::string text() const;

  private:
    std::vector<std::string> readingLines_;
    bool needsColumnLine_ = true;
    int readings_ = 0;
    std::optional<int> readingCount_;
    std::string setupColumns_ =
        "Setup #,Units,Velocity,BS Range,BS Resolution,Meas Mode,Transducer,";
    std::vector<std::string> setups_;
    std::string noteColumns_ = "Note #,Line 1,Line 2,Line 3,";
    std::vector<std::string> notes_;
};

// A trace of `count` values from `first` upwards (wrapping below 100).
std::vector<int> ramp(int count, int first = 0);

// The texts of one column of the view's table, in the order shown.
std::vector<std::string> columnTexts(const DataViewDialog& view, int column);

// A temporary folder with files and views opened on them; the views are deleted with it.
class ViewFixture {
  public:
    ViewFixture();
    ~ViewFixture();

    std::string write(const std::string& name, const std::string& bytes);
    // Opens a view on the file (offscreen, shown).
    DataViewDialog& open(const std::string& path);
    DataViewDialog& openText(const std::string& text, const std::string& name = "PIPE1.CSV") {
        return open(write(name, text));
    }
    std::string folder() const;

    TextTable texts;
    RecordingVoice voice;

  private:
    QTemporaryDir dir_;
    std::vector<std::unique_ptr<QObject>> owned_;
};

}  // namespace korvel::test
