#pragma once
// Creating an empty data file for a measurement layout: the checks of the typed box texts
// against the gauge's limits, and the file with the product line and the layout's header.

#include <ctime>
#include <optional>
#include <string>

#include "app/text_table.h"
#include "app/user_voice.h"
#include "datafile/data_file.h"

namespace korvel {

// The boxes of the Create File page, for the focus after a failed check.
enum class CreateBox {
    None,
    FileName,
    Start,
    End,
    StartCol,
    EndCol,
    StartRow,
    EndRow,
    StartElev,
    EndElev,
    StartTube,
    EndTube,
    FirstInc,
    SecondInc,
    TestPts,
};

inline constexpr const char* kSaveThkOnly = "THK ONLY";
inline constexpr const char* kSaveThkAscan = "THK+ASCAN";

// The texts of the page's boxes exactly as typed or chosen.
struct CreateRequest {
    std::string product;  // "Color Corrosion Gage" ... or a product code such as "40-102"
    std::string fileName;
    std::string type = "LINEAR";  // "LINEAR", "2D", "3D" or "BOILER"
    std::string saveMode = kSaveThkOnly;
    std::string start, end;          // LINEAR
    std::string startCol, endCol;    // 2D, 3D
    std::string startRow, endRow;    // 2D, 3D
    std::string startElev, endElev;  // 3D, BOILER
    std::string startTube, endTube;  // BOILER
    std::string firstInc, secondInc, testPts;
};

// The product list of the page in its order, and the product code of a name (or of a code).
const std::vector<std::string>& productNames();
std::optional<std::string> productCodeFor(const std::string& productOrCode);

// The layout checks of the request's type, in the page's order. Each failure speaks its
// message; the result is the box that gets the focus, or nothing when every check passed.
std::optional<CreateBox> checkLayout(const CreateRequest& request, UserVoice& voice,
                                     const TextTable& texts);

// "PIPE-1" and "pipe-1.csv" become "PIPE-1.CSV".
std::string createdFileName(const std::string& typedName);
// The folder a created file goes to: the current folder when it ends in DATA, else its "data"
// subfolder.
std::string creationFolder(const std::string& currentFolder);
// The file the request describes (product line and header, nothing else).
DataFile createdDataFile(const CreateRequest& request, const std::string& fileName,
                         const std::tm& now);

struct CreateResult {
    bool created = false;
    CreateBox focus = CreateBox::None;  // after a failed check
    std::string path;                   // of the written file
};

// The whole of "Create File": name checks, layout checks, the overwrite question, the file and
// the success message.
CreateResult createDataFile(const CreateRequest& request, const std::string& currentFolder,
                            const std::tm& now, UserVoice& voice, const TextTable& texts);

}  // namespace korvel
