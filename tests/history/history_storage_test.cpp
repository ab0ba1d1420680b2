// The SQLite history and its failures: one survey stored once, files that are not data files,
// hostile names, files that are no database or a damaged one, a locked or read-only history,
// every write of an add failing in turn, migrations from the first schema, two writers at once.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

#include "app/safe_file.h"
#include "history/history_json.h"
#include "history/history_messages.h"
#include "history/history_open.h"
#include "history/inspection_history.h"
#include "history/schema_migrations.h"
#include "history/sql_storage.h"
#include "history/sqlite_connection.h"
#include "tests/history/history_fixtures.h"
#include "tests/support/temp_folder.h"
#include "tests/support/without_root.h"

namespace korvel::history {
namespace {

namespace fs = std::filesystem;

std::string survey(const std::string& name, const std::string& saved = "01/01/2020 12:00 PM",
                   const std::string& thickness = "0.300") {
    return test::handSurvey(name, saved, {{"0001", thickness}, {"0002", "--.---"}});
}

class HistoryStorageTest : public ::testing::Test {
  protected:
    void SetUp() override { folder_ = test::uniqueTempFolder("korvel-history-storage"); }
    void TearDown() override { fs::remove_all(folder_); }

    std::string path() const { return (folder_ / "history.sqlite").string(); }
    InspectionHistory open(const HistoryOpenOptions& options = {}) const {
        auto storage = openHistoryStorage(path(), options);
        EXPECT_TRUE(storage) << storage.error.detail;
        return InspectionHistory(std::move(*storage));
    }
    // A history of one asset "T" with one survey.
    void makeHistory() const {
        auto history = open();
        ASSERT_TRUE(history.setAsset({"T", 0.2, "IN", InspectionCode::Api653, {}}));
        ASSERT_TRUE(history.addSurvey("T", "A.CSV", survey("A.CSV")));
    }
    // What is stored, read without the history's code.
    long long count(const std::string& table) const {
        return scalar("SELECT count(*) FROM " + table);
    }
    long long scalar(const std::string& sql) const {
        sqlite3* db = nullptr;
        sqlite3_open_v2(path().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr);
        const long long rows =
            sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_int64(statement, 0) : -1;
        sqlite3_finalize(statement);
        sqlite3_close(db);
        return rows;
    }

    fs::path folder_;
};

TEST_F(HistoryStorageTest, OneSurveyIsStoredOnceWhateverItsName) {
    makeHistory();
    auto history = open();
    ASSERT_TRUE(history.setAsset({"U", {}, {}, {}, {}}));
    for (const auto& [asset, name] : {std::pair{"T", "A.CSV"}, {"U", "COPY.CSV"}}) {
        const auto again = history.addSurvey(asset, name, survey("A.CSV"));
        ASSERT_FALSE(again);
        EXPECT_EQ(again.error.failure, HistoryFailure::Duplicate);
        EXPECT_EQ(again.error.subjects, (std::vector<std::string>{name, "T", "A.CSV"}));
    }
    EXPECT_EQ(count("surveys"), 1);
    EXPECT_EQ(count("readings"), 2);
    EXPECT_EQ(count("audit_log"), 3);  // T, its survey, U
    // The file comes back exactly.
    const auto record = history.storage().assetRecord("T");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->surveys.at(0).survey.bytes, survey("A.CSV"));
    const auto id = record->surveys.at(0).id;
    EXPECT_EQ(*history.storage().surveyContent("T", id), survey("A.CSV"));
    EXPECT_EQ(history.storage().surveyContent("U", id).error.failure,
              HistoryFailure::UnknownReading);
}

TEST_F(HistoryStorageTest, RefusesWhatIsNoSurveyAndAddsNothing) {
    makeHistory();
    const struct {
        const char* name;
        std::string bytes;
        HistoryFailure failure;
    } cases[] = {
        {"TEXT.CSV", "just some text\r\nof two lines\r\n", HistoryFailure::NotADataFile},
        {"EMPTY.CSV", "", HistoryFailure::NotADataFile},
        {"NODATE.CSV", survey("NODATE.CSV", "someday"), HistoryFailure::NoDate},
        {"US.CSV", test::handSurvey("US.CSV", "01/01/2021 12:00 PM", {{"0001", "1.5", "US"}}),
         HistoryFailure::OtherUnits},
    };
    auto history = open();
    for (const auto& c : cases) {
        const auto added = history.addSurvey("T", c.name, c.bytes);
        ASSERT_FALSE(added) << c.name;
        EXPECT_EQ(added.error.failure, c.failure) << c.name;
    }
    const auto unknown =
        history.addSurvey("NOT THERE", "B.CSV", survey("B.CSV", "02/02/2021 12:00 PM"));
    EXPECT_EQ(unknown.error.failure, HistoryFailure::UnknownAsset);
    EXPECT_EQ(count("surveys"), 1);
    EXPECT_EQ(count("audit_log"), 2);
}

TEST_F(HistoryStorageTest, HostileNamesAndNotesAreStoredAndShownAsText) {
    const std::string hostile[] = {"O'Brien \"tank\"", "'; DROP TABLE assets; --",
                                   std::string(10240, 'x'), "tab\there\nline\x01\x7f end",
                                   "%s%n%d ?1 $1"};
    auto history = open();
    int i = 0;
    for (const auto& text : hostile) {
        const std::string file = "H" + std::to_string(i) + ".CSV";
        ASSERT_TRUE(history.setAsset({text, {}, {}, {}, {}}));
        const auto added = history.addSurvey(
            text, file, survey(file, "01/0" + std::to_string(i + 1) + "/2020 12:00 PM"));
        ASSERT_TRUE(added);
        ASSERT_TRUE(history.exclude(text, added->id, "0001", text));
        const auto entries = history.audit(text);
        ASSERT_TRUE(entries);
        ASSERT_EQ(entries->size(), 3u);
        EXPECT_EQ(entries->back().note, text);
        ++i;
    }
    const auto assets = history.assets();
    ASSERT_TRUE(assets);
    ASSERT_EQ(assets->size(), std::size(hostile));
    EXPECT_EQ(count("assets"), 5);
    const std::string json = assetsJson(*assets);
    EXPECT_NE(json.find("\"tab\\u0009here\\u000aline\\u0001\x7f end\""), std::string::npos);
    EXPECT_NE(json.find("\"O'Brien \\\"tank\\\"\""), std::string::npos);
}

TEST_F(HistoryStorageTest, AFileThatIsNoDatabaseOrADamagedOneIsNamedAndKept) {
    const std::string text(8192, 'k');
    ASSERT_TRUE(writeFileSafely(path(), text));
    const auto opened = openHistoryStorage(path());
    ASSERT_FALSE(opened);
    EXPECT_EQ(opened.error.failure, HistoryFailure::NotADatabase);
    EXPECT_EQ(historyMessage(TextTable{}, opened.error),
              path() +
                  " is not an inspection history: it is not a database. Name the history's "
                  "file with --archive, or move this file away; it was left as it is.");
    EXPECT_EQ(readFileBytes(path()), text);

    fs::remove(path());
    makeHistory();
    auto bytes = *readFileBytes(path());
    // Every page after the first (which lists the tables) overwritten.
    for (std::size_t at = 4096; at < bytes.size(); ++at) {
        bytes[at] = static_cast<char>(0x5a);
    }
    ASSERT_TRUE(writeFileSafely(path(), bytes));
    auto storage = openHistoryStorage(path());
    const HistoryError error =
        storage ? InspectionHistory(std::move(*storage)).figures("T").error : storage.error;
    EXPECT_EQ(error.failure, HistoryFailure::Corrupt) << error.detail;
    EXPECT_NE(historyMessage(TextTable{}, error).find(path()), std::string::npos);
}

TEST_F(HistoryStorageTest, ALockedHistoryIsLeftAsItWasAndWorksWhenFreed) {
    makeHistory();
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(path().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    auto history = open({0, {}});
    const auto added = history.addSurvey("T", "B.CSV", survey("B.CSV", "01/01/2022 12:00 PM"));
    ASSERT_FALSE(added);
    EXPECT_EQ(added.error.failure, HistoryFailure::Locked);
    EXPECT_TRUE(history.surveys("T"));  // reading goes on
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_TRUE(history.addSurvey("T", "B.CSV", survey("B.CSV", "01/01/2022 12:00 PM")));
    EXPECT_EQ(count("surveys"), 2);
}

TEST_F(HistoryStorageTest, AReadOnlyHistoryIsReadAndRefusesChanges) {
    makeHistory();
    fs::permissions(path(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec |
                                 fs::perms::others_read | fs::perms::others_exec);
    // Root writes any file: the history is opened as nobody.
    const std::string seen = test::seenWithoutRoot([&] {
        auto history = open();
        const auto added = history.addSurvey("T", "B.CSV", survey("B.CSV", "01/01/2022 12:00 PM"));
        return std::string(history.figures("T") ? "read" : "unread") + " " +
               (added                                             ? std::string("added")
                : added.error.failure == HistoryFailure::ReadOnly ? "read-only"
                                                                  : added.error.detail);
    });
    EXPECT_EQ(seen, "read read-only");
    fs::permissions(folder_, fs::perms::owner_all);
    EXPECT_EQ(count("surveys"), 1);
}

// A file layer over the system's own whose writes, from the n-th on, fail as on a full disk.
struct FullDisk {
    static inline sqlite3_vfs* system = nullptr;
    static inline sqlite3_vfs layer{};
    static inline sqlite3_io_methods methods{};
    static inline int writesLeft = 0;

    struct File {
        sqlite3_file base;
        sqlite3_file* real;
    };
    static sqlite3_file* real(sqlite3_file* file) { return reinterpret_cast<File*>(file)->real; }
    static bool fails() { return --writesLeft < 0; }

    static void install() {
        system = sqlite3_vfs_find(nullptr);
        layer = *system;
        layer.zName = "korvel-full-disk";
        layer.szOsFile = static_cast<int>(sizeof(File)) + system->szOsFile;
        layer.xOpen = [](sqlite3_vfs*, const char* name, sqlite3_file* file, int flags,
                         int* outFlags) {
            auto* wrapper = reinterpret_cast<File*>(file);
            wrapper->real = reinterpret_cast<sqlite3_file*>(wrapper + 1);
            const int code = system->xOpen(system, name, wrapper->real, flags, outFlags);
            wrapper->base.pMethods = code == SQLITE_OK ? &methods : nullptr;
            return code;
        };
        methods.iVersion = 1;
        methods.xClose = [](sqlite3_file* f) { return real(f)->pMethods->xClose(real(f)); };
        methods.xRead = [](sqlite3_file* f, void* b, int n, sqlite3_int64 o) {
            return real(f)->pMethods->xRead(real(f), b, n, o);
        };
        methods.xWrite = [](sqlite3_file* f, const void* b, int n, sqlite3_int64 o) {
            return fails() ? SQLITE_FULL : real(f)->pMethods->xWrite(real(f), b, n, o);
        };
        methods.xTruncate = [](sqlite3_file* f, sqlite3_int64 size) {
            return fails() ? SQLITE_IOERR_TRUNCATE : real(f)->pMethods->xTruncate(real(f), size);
        };
        methods.xSync = [](sqlite3_file* f, int flags) {
            return fails() ? SQLITE_IOERR_FSYNC : real(f)->pMethods->xSync(real(f), flags);
        };
        methods.xFileSize = [](sqlite3_file* f, sqlite3_int64* size) {
            return real(f)->pMethods->xFileSize(real(f), size);
        };
        methods.xLock = [](sqlite3_file* f, int l) { return real(f)->pMethods->xLock(real(f), l); };
        methods.xUnlock = [](sqlite3_file* f, int l) {
            return real(f)->pMethods->xUnlock(real(f), l);
        };
        methods.xCheckReservedLock = [](sqlite3_file* f, int* out) {
            return real(f)->pMethods->xCheckReservedLock(real(f), out);
        };
        methods.xFileControl = [](sqlite3_file* f, int op, void* arg) {
            return real(f)->pMethods->xFileControl(real(f), op, arg);
        };
        methods.xSectorSize = [](sqlite3_file* f) {
            return real(f)->pMethods->xSectorSize(real(f));
        };
        methods.xDeviceCharacteristics = [](sqlite3_file* f) {
            return real(f)->pMethods->xDeviceCharacteristics(real(f));
        };
        sqlite3_vfs_register(&layer, 0);
    }
};

TEST_F(HistoryStorageTest, EachWriteOfAnAddFailingInTurnLeavesTheHistoryAsItWas) {
    FullDisk::install();
    makeHistory();
    const std::string before = *readFileBytes(path());
    int failures = 0;
    for (int n = 0; n < 500; ++n) {
        std::optional<HistoryResult<AddedSurvey>> added;
        {
            auto history = open({0, "korvel-full-disk"});
            FullDisk::writesLeft = n;
            added = history.addSurvey("T", "B.CSV", survey("B.CSV", "01/01/2022 12:00 PM"));
            FullDisk::writesLeft = 1 << 30;
        }
        // Opened again as after a crash: whatever the journal says is rolled back.
        auto history = open();
        const auto surveys = history.surveys("T");
        ASSERT_TRUE(surveys);
        if (*added) {
            EXPECT_EQ(surveys->size(), 2u);
            break;
        }
        ++failures;
        EXPECT_EQ(added->error.failure, HistoryFailure::WriteFailed) << "write " << n;
        EXPECT_EQ(surveys->size(), 1u) << "write " << n;
        EXPECT_EQ(count("readings"), 2) << "write " << n;
        EXPECT_EQ(count("audit_log"), 2) << "write " << n;
    }
    EXPECT_GE(failures, 3);
    EXPECT_EQ(count("surveys"), 2);
    EXPECT_NE(before, *readFileBytes(path()));
}

TEST_F(HistoryStorageTest, AHistoryOfTheFirstSchemaIsMigratedWithItsSurveys) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path().c_str(), &db), SQLITE_OK);
    const std::string first = migrationSql(1, SqlDialect::Sqlite) +
                              "INSERT INTO assets (name, units) VALUES ('OLD', 'IN');"
                              "INSERT INTO surveys (asset_id, file_name, survey_date, units, "
                              "reading_count, hole_count, content_digest, content) VALUES (1, "
                              "'A.CSV', 26297280, 'IN', 1, 0, 'd1', x'41');"
                              "INSERT INTO readings VALUES (1, 0, '0001', 0.3);";
    ASSERT_EQ(sqlite3_exec(db, first.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    auto history = open();
    const auto surveys = history.surveys("OLD");
    ASSERT_TRUE(surveys);
    ASSERT_EQ(surveys->size(), 1u);
    EXPECT_EQ(surveys->at(0).file, "A.CSV");
    EXPECT_EQ(scalar("SELECT version FROM schema_version"),
              static_cast<long long>(newestSchemaVersion()));
    EXPECT_EQ(scalar("SELECT count(*) FROM sqlite_master WHERE name = 'surveys_by_asset_date'"), 1);
    EXPECT_EQ(scalar("SELECT count(*) FROM sqlite_master WHERE name = 'surveys_by_asset'"), 0);
    // And the migrated history takes new surveys.
    ASSERT_TRUE(history.addSurvey("OLD", "B.CSV", survey("B.CSV")));
    EXPECT_EQ(count("readings"), 3);
}

TEST_F(HistoryStorageTest, TextsInASingleByteCodePageAreStoredAsUtf8) {
    auto history = open();
    test::checkSingleByteTexts(history);
}

// The tables, columns, keys and indexes of an SQLite database, as one text.
std::string schemaOf(sqlite3* db) {
    std::string out;
    const auto rows = [&](const std::string& sql, int columns) {
        std::vector<std::string> lines;
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr);
        while (sqlite3_step(statement) == SQLITE_ROW) {
            std::string line;
            for (int i = 0; i < columns; ++i) {
                const auto* text = sqlite3_column_text(statement, i);
                line += std::string(text ? reinterpret_cast<const char*>(text) : "-") + " ";
            }
            lines.push_back(line);
        }
        sqlite3_finalize(statement);
        return lines;
    };
    for (const auto& table :
         rows("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name", 1)) {
        const std::string name = table.substr(0, table.size() - 1);
        out += "table " + name + "\n";
        for (const auto& line : rows("PRAGMA table_info(" + name + ")", 6)) {
            out += "  column " + line + "\n";
        }
        for (const auto& line : rows("PRAGMA foreign_key_list(" + name + ")", 5)) {
            out += "  key " + line + "\n";
        }
        for (const auto& index : rows("SELECT name, \"unique\" FROM pragma_index_list('" + name +
                                          "') WHERE origin = 'c' ORDER BY name",
                                      2)) {
            out += "  index " + index;
            for (const auto& column :
                 rows("PRAGMA index_info(" + index.substr(0, index.find(' ')) + ")", 3)) {
                out += "(" + column + ")";
            }
            out += "\n";
        }
    }
    return out;
}

TEST_F(HistoryStorageTest, TheSchemaForAdministratorsIsTheMigratedOne) {
    std::stringstream text;
    text << std::ifstream(KORVEL_SCHEMA_DOC).rdbuf();
    std::string sql = text.str();
    ASSERT_FALSE(sql.empty()) << KORVEL_SCHEMA_DOC;
    // The file reads as on PostgreSQL; SQLite's words for the same.
    for (const auto& [server, file] : std::map<std::string, std::string>{
             {"BIGINT GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY", "INTEGER PRIMARY KEY"},
             {"BYTEA", "BLOB"}}) {
        for (auto at = sql.find(server); at != std::string::npos; at = sql.find(server, at)) {
            sql.replace(at, server.size(), file);
        }
    }
    sqlite3* documented = nullptr;
    ASSERT_EQ(sqlite3_open(":memory:", &documented), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(documented, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK)
        << sqlite3_errmsg(documented);
    open();  // made and migrated
    sqlite3* migrated = nullptr;
    ASSERT_EQ(sqlite3_open(path().c_str(), &migrated), SQLITE_OK);
    EXPECT_EQ(schemaOf(documented), schemaOf(migrated));
    EXPECT_NE(schemaOf(migrated).find("index surveys_by_asset_date"), std::string::npos);
    sqlite3_close(documented);
    sqlite3_close(migrated);
    // It names the version it shows.
    EXPECT_NE(text.str().find("version INTEGER NOT NULL                -- " +
                              std::to_string(newestSchemaVersion()) + "\n"),
              std::string::npos);
}

TEST_F(HistoryStorageTest, EveryStatementFindsItsRowsByAnIndex) {
    // The statements of every command, as the storage prepares them.
    std::vector<std::string> statements;
    SqliteOptions options;
    options.prepared = [&](std::string_view sql) { statements.emplace_back(sql); };
    auto connection = SqliteConnection::open(path(), options);
    ASSERT_TRUE(connection);
    auto storage = std::make_unique<SqlStorage>(std::move(*connection));
    ASSERT_TRUE(storage->checkSchema(true));
    InspectionHistory history(std::move(storage));
    ASSERT_TRUE(history.setAsset({"T", 0.2, "IN", InspectionCode::Api653, {}}));
    const auto added = history.addSurvey("T", "A.CSV", survey("A.CSV"));
    ASSERT_TRUE(added);
    ASSERT_TRUE(history.addSurvey("T", "A.CSV", survey("A.CSV")).error.failure ==
                HistoryFailure::Duplicate);
    ASSERT_TRUE(history.exclude("T", added->id, "0001", "lifted"));
    ASSERT_TRUE(history.figures("T") && history.history("T", "0001") && history.audit("T"));
    ASSERT_TRUE(history.storage().assetRecord("T"));
    // Without statistics the engine plans as for any size: a scan here is a scan of millions.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path().c_str(), &db), SQLITE_OK);
    int planned = 0;
    for (const auto& sql : statements) {
        sqlite3_stmt* plan = nullptr;
        ASSERT_EQ(sqlite3_prepare_v2(db, ("EXPLAIN QUERY PLAN " + sql).c_str(), -1, &plan, nullptr),
                  SQLITE_OK)
            << sql;
        while (sqlite3_step(plan) == SQLITE_ROW) {
            const std::string step = reinterpret_cast<const char*>(sqlite3_column_text(plan, 3));
            const bool small = step.find("schema_version") != std::string::npos ||
                               step.find("sqlite_master") != std::string::npos ||
                               step.find("CONSTANT ROW") != std::string::npos;
            EXPECT_TRUE(step.rfind("SEARCH", 0) == 0 || step.rfind("SCALAR SUBQUERY", 0) == 0 ||
                        small)
                << step << " in " << sql;
            planned += step.rfind("SEARCH", 0) == 0 ? 1 : 0;
        }
        sqlite3_finalize(plan);
    }
    sqlite3_close(db);
    EXPECT_GE(planned, 10);
}

TEST_F(HistoryStorageTest, TwoWritersAtOnceBothArriveAndOneSurveyIsStoredOnce) {
    makeHistory();
    std::vector<std::optional<HistoryResult<AddedSurvey>>> results(4);
    std::vector<std::thread> writers;
    for (int i = 0; i < 4; ++i) {
        writers.emplace_back([&, i] {
            // Each writer has a connection of its own, as another process would; two of them
            // add one survey.
            auto history = open();
            const std::string name = i < 2 ? "SAME.CSV" : "W" + std::to_string(i) + ".CSV";
            const int day = i < 2 ? 2 : i + 2;
            results[i] = history.addSurvey(
                "T", name, survey(name, "01/0" + std::to_string(day) + "/2021 12:00 PM"));
        });
    }
    for (auto& writer : writers) {
        writer.join();
    }
    int added = 0, duplicates = 0;
    for (const auto& result : results) {
        added += *result ? 1 : 0;
        duplicates += result->error.failure == HistoryFailure::Duplicate ? 1 : 0;
    }
    EXPECT_EQ(added, 3);
    EXPECT_EQ(duplicates, 1);
    EXPECT_EQ(count("surveys"), 4);
    EXPECT_EQ(count("readings"), 8);
}

}  // namespace
}  // namespace korvel::history
