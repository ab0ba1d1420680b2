#include "datafile/file_create.h"

#include <array>
#include <vector>

#include "app/folder_chain.h"
#include "app/name_check.h"
#include "app/platform.h"
#include "app/text_rules.h"
#include "datafile/data_file_writer.h"
#include "datafile/date_text.h"
#include "datafile/location_value.h"
#include "datafile/output_file.h"

namespace korvel {

namespace {

struct Axis {
    const std::string& start;
    const std::string& end;
    CreateBox startBox;
    CreateBox endBox;
};

class LayoutChecker {
  public:
    LayoutChecker(const CreateRequest& request, UserVoice& voice, const TextTable& texts)
        : request_(request), voice_(voice), texts_(texts) {}

    std::optional<CreateBox> run() {
        const std::string type = request_.type;
        if (type == "2D") {
            return check2D();
        }
        if (type == "3D") {
            return check3D();
        }
        if (type == "BOILER") {
            return checkBoiler();
        }
        return checkLinear();
    }

  private:
    Axis linear() const { return {request_.start, request_.end, CreateBox::Start, CreateBox::End}; }
    Axis columns() const {
        return {request_.startCol, request_.endCol, CreateBox::StartCol, CreateBox::EndCol};
    }
    Axis rows() const {
        return {request_.startRow, request_.endRow, CreateBox::StartRow, CreateBox::EndRow};
    }
    Axis elevations() const {
        return {request_.startElev, request_.endElev, CreateBox::StartElev, CreateBox::EndElev};
    }
    Axis tubes() const {
        return {request_.startTube, request_.endTube, CreateBox::StartTube, CreateBox::EndTube};
    }

    std::optional<CreateBox> fail(const char* key, CreateBox focus) {
        voice_.show(MessageKind::Warning, texts_.message(key));
        return focus;
    }

    // The value rule on both boxes of the axis, then the kind part of the pair rule.
    std::optional<CreateBox> valuesAndKind(const Axis& axis) {
        const LocationValue start = parseLocationValue(axis.start);
        if (!start.valid()) {
            return fail("IDS_MSG_FILECREATE_VALUE_1TO5000_ATOZZ", axis.startBox);
        }
        const LocationValue end = parseLocationValue(axis.end);
        if (!end.valid()) {
            return fail("IDS_MSG_FILECREATE_VALUE_1TO5000_ATOZZ", axis.endBox);
        }
        if (start.kind != end.kind) {
            return fail("IDS_MSG_FILECREATE_MISMATCH_VALUE_TYPE", axis.startBox);
        }
        return std::nullopt;
    }

    std::optional<CreateBox> order(const Axis& axis) {
        if (span(axis) < 1) {
            return fail("IDS_MSG_FILECREAE_START_MORETHAN_END", axis.startBox);
        }
        return std::nullopt;
    }

    static long long span(const Axis& axis) {
        return parseLocationValue(axis.end).value - parseLocationValue(axis.start).value + 1;
    }

    bool withAscan() const { return request_.saveMode == kSaveThkAscan; }

    std::optional<CreateBox> countLimit(long long locations, const char* layout, CreateBox focus) {
        const long long limit = withAscan() ? 160 : 5000;
        if (locations <= limit) {
            return std::nullopt;
        }
        const std::string key = std::string("IDS_MSG_FILECREATE_") + layout +
                                (withAscan() ? "_STARTEND_CHECK_THKASCAN" : "_STARTEND_CHECK_THK");
        return fail(key.c_str(), focus);
    }

    // Applied after the count limit even when that failed, so both messages can appear.
    std::optional<CreateBox> countThenIncrements(long long locations, const char* layout,
                                                 CreateBox focus) {
        const auto count = countLimit(locations, layout, focus);
        if (equalsNoCase(request_.firstInc, request_.secondInc)) {
            const auto increments =
                fail("IDS_MSG_FILECREATE_1STINC_2NDINC_EQUAL", CreateBox::FirstInc);
            return count ? count : increments;
        }
        return count;
    }

    // The typed texts of the list boxes go into the header line as they are: a comma or a line
    // break would split it.
    std::optional<CreateBox> fieldSafe(
        std::initializer_list<std::pair<const std::string*, CreateBox>> boxes) {
        for (const auto& [text, box] : boxes) {
            if (text->find_first_of(",\r\n") != std::string::npos) {
                return fail("IDS_MSG_FILECREATE_NO_COMMA", box);
            }
        }
        return std::nullopt;
    }

    template <typename... Checks>
    static std::optional<CreateBox> firstFailure(Checks... checks) {
        std::optional<CreateBox> failure;
        ((failure = failure ? failure : checks()), ...);
        return failure;
    }

    std::optional<CreateBox> checkLinear() {
        return firstFailure([&] { return valuesAndKind(linear()); },
                            [&] { return order(linear()); },
                            [&] { return countLimit(span(linear()), "LINEAR", CreateBox::Start); });
    }

    std::optional<CreateBox> check2D() {
        return firstFailure(
            [&] { return valuesAndKind(columns()); }, [&] { return valuesAndKind(rows()); },
            [&] { return order(rows()); }, [&] { return order(columns()); },
            [&] {
                return fieldSafe({{&request_.firstInc, CreateBox::FirstInc}});
            },
            [&] { return countLimit(span(columns()) * span(rows()), "2D", CreateBox::StartRow); });
    }

    std::optional<CreateBox> check3D() {
        return firstFailure(
            [&] { return valuesAndKind(columns()); }, [&] { return valuesAndKind(rows()); },
            [&] { return valuesAndKind(elevations()); }, [&] { return order(rows()); },
            [&] { return order(columns()); }, [&] { return order(elevations()); },
            [&] {
                return fieldSafe({{&request_.firstInc, CreateBox::FirstInc},
                                  {&request_.secondInc, CreateBox::SecondInc}});
            },
            [&] {
                return countThenIncrements(span(elevations()) * span(columns()) * span(rows()),
                                           "3D", CreateBox::StartRow);
            });
    }

    std::optional<CreateBox> checkBoiler() {
        return firstFailure(
            [&] { return valuesAndKind(elevations()); }, [&] { return valuesAndKind(tubes()); },
            [&] { return order(elevations()); }, [&] { return order(tubes()); },
            [&] {
                return fieldSafe({{&request_.testPts, CreateBox::TestPts},
                                  {&request_.firstInc, CreateBox::FirstInc},
                                  {&request_.secondInc, CreateBox::SecondInc}});
            },
            [&] {
                return countThenIncrements(span(tubes()) * span(elevations()) * testPointCount(),
                                           "BOILER", CreateBox::StartTube);
            });
    }

    long long testPointCount() const {
        if (equalsNoCase(request_.testPts, "L-R")) {
            return 2;
        }
        return equalsNoCase(request_.testPts, "L-C-R") ? 3 : 4;
    }

    const CreateRequest& request_;
    UserVoice& voice_;
    const TextTable& texts_;
};

struct HeaderColumn {
    const char* name;
    std::string value;
};

std::vector<HeaderColumn> layoutColumns(const CreateRequest& r) {
    if (r.type == "2D") {
        return {{"Start Col", r.startCol},
                {"Start Row", r.startRow},
                {"End Col", r.endCol},
                {"End Row", r.endRow},
                {"1st Inc", r.firstInc}};
    }
    if (r.type == "3D") {
        return {{"Start Col", r.startCol}, {"Start Row", r.startRow}, {"Start Elev", r.startElev},
                {"End Col", r.endCol},     {"End Row", r.endRow},     {"End Elev", r.endElev},
                {"1st Inc", r.firstInc},   {"2nd Inc", r.secondInc}};
    }
    if (r.type == "BOILER") {
        const std::string& pattern = r.testPts;
        std::string compact;
        for (const char c : pattern) {
            if (c != '-') {
                compact += c;
            }
        }
        const auto lastDash = pattern.rfind('-');
        return {
            {"Start Tube", r.startTube},
            {"Start Test Pt", pattern.substr(0, pattern.find('-'))},
            {"Start Elev", r.startElev},
            {"End Tube", r.endTube},
            {"End Test Pt", lastDash == std::string::npos ? pattern : pattern.substr(lastDash + 1)},
            {"End Elev", r.endElev},
            {"Test Pts", pattern == "0-90-180-270" ? pattern : compact},
            {"1st Inc", r.firstInc},
            {"2nd Inc", r.secondInc}};
    }
    return {{"Start Row", r.start}, {"End Row", r.end}};
}

bool endsWithDataFolder(const std::string& folder) {
    const std::string_view last = "DATA";
    return folder.size() > last.size() &&
           isPathSeparator(folder[folder.size() - last.size() - 1]) && endsWithNoCase(folder, last);
}

}  // namespace

const std::vector<std::string>& productNames() {
    static const std::vector<std::string> names = {
        "Color Corrosion Gage", "Monochrome Corrosion Gage", "Color Precision Gage",
        "Monochrome Precision Gage"};
    return names;
}

std::optional<std::string> productCodeFor(const std::string& productOrCode) {
    static const std::array<std::pair<const char*, const char*>, 4> codes = {{
        {"Monochrome Corrosion Gage", "40-101"},
        {"Color Corrosion Gage", "40-102"},
        {"Monochrome Precision Gage", "40-103"},
        {"Color Precision Gage", "40-104"},
    }};
    for (const auto& [name, code] : codes) {
        if (productOrCode == name || productOrCode == code) {
            return std::string(code);
        }
    }
    return std::nullopt;
}

std::optional<CreateBox> checkLayout(const CreateRequest& request, UserVoice& voice,
                                     const TextTable& texts) {
    return LayoutChecker(request, voice, texts).run();
}

std::string createdFileName(const std::string& typedName) {
    const std::string upper = asciiUpper(typedName);
    return endsWithNoCase(upper, ".CSV") ? upper : upper + ".CSV";
}

std::string creationFolder(const std::string& currentFolder) {
    return endsWithDataFolder(currentFolder) ? currentFolder : joinPath(currentFolder, "data");
}

DataFile createdDataFile(const CreateRequest& request, const std::string& fileName,
                         const std::tm& now) {
    DataFile file;
    file.hasProductLine = true;
    file.product = productCodeFor(request.product).value_or(request.product);
    file.productVersion = std::string(kFormatVersion);
    const std::string created = dataFileDateTime(now);
    std::vector<HeaderColumn> columns = {
        {"Filename", fileName},
        {"Type", request.type},
        {"Version", "1"},
        {"AScan", request.saveMode == kSaveThkAscan ? "ON" : "OFF"}};
    for (auto& column : layoutColumns(request)) {
        columns.push_back(std::move(column));
    }
    for (const char* count : {"# ID", "# Setup", "# Notes"}) {
        columns.push_back({count, "0"});
    }
    columns.push_back({"Created", created});
    columns.push_back({"Last Saved", created});
    for (auto& column : columns) {
        file.headerNames.emplace_back(column.name);
        file.headerValues.push_back(std::move(column.value));
    }
    return file;
}

CreateResult createDataFile(const CreateRequest& request, const std::string& currentFolder,
                            const std::tm& now, UserVoice& voice, const TextTable& texts) {
    CreateResult result;
    if (request.fileName.empty()) {
        voice.show(MessageKind::Warning, texts.message("IDS_MSG_FILECREATE_ENTERFILENAME"));
        result.focus = CreateBox::FileName;
        return result;
    }
    if (checkDataFileName(request.fileName, kMaxDataFileStem) != 1) {
        voice.show(MessageKind::Error, texts.message("IDS_MSG_FILE_INVALIDFILENAME"));
        result.focus = CreateBox::FileName;
        return result;
    }
    if (const auto focus = checkLayout(request, voice, texts)) {
        result.focus = *focus;
        return result;
    }
    const std::string name = createdFileName(request.fileName);
    const std::string folder = creationFolder(currentFolder);
    const std::string path = joinPath(folder, name);
    makeFolderChain(folder);  // a missing "data" subfolder is made, as start-up makes its folders
    if (!mayOverwrite(path, voice, texts) ||
        !saveOrReport(path, dataFileBytes(createdDataFile(request, name, now)), voice, texts)) {
        return result;
    }
    voice.show(MessageKind::Notice,
               texts.message("IDS_MSG_FILECREATE_FILECREATED_SUCCESS") + " " + name);
    result.created = true;
    result.path = path;
    return result;
}

}  // namespace korvel
