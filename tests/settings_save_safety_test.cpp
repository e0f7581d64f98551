// Tests of crash-safe saving: a write failing after any byte, at the flush or at the rename leaves a whole file.
#include <gtest/gtest.h>

#include "tests/test_support.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/app_state.h"
#include "ui/messages.h"
#include "app/app_settings.h"

namespace fs = std::filesystem;

namespace {

class SettingsSaveSafety : public ::testing::Test {
protected:
    void SetUp() override {
        dir = freshTempDir("ornel_save_");
        path = (dir / "ORNEL 162.TXT").string();
        prepareSettingsApp(app, path, kOfferedGridCount);
        fileWriteFaults = FileWriteFaults{};
    }
    void TearDown() override {
        fileWriteFaults = FileWriteFaults{};
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }
    std::string readRaw() {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // The bytes a save of the current state writes.
    std::string savedBytes() {
        std::string bytes;
        for (const std::string& line : settingsLines(app).items) bytes += line + "\r\n";
        return bytes;
    }
    void expectOnlyTheFile() {
        size_t entries = 0;
        for (const auto& e : fs::directory_iterator(dir)) {
            (void)e;
            ++entries;
        }
        EXPECT_EQ(entries, 1u) << "no .new file may be left behind";
    }

    fs::path dir;
    std::string path;
    AppState app;
};

TEST_F(SettingsSaveSafety, AFailureAfterAnyNumberOfBytesLeavesTheOldFileWhole) {
    app.view.language = 1;
    app.game.gridNumber = 2;
    storeGridState(app, 2, "ABCDEFKH12");
    ASSERT_TRUE(saveSettings(app));
    const std::string oldFile = readRaw();

    app.view.language = 0;
    app.game.gridNumber = 4;
    storeGridState(app, 4, std::string(130, 'K'));
    app.keptUserLines.add("usr=added");
    const std::string newFile = savedBytes();
    ASSERT_NE(newFile, oldFile);

    // The disk fills up after every possible number of bytes of the new file.
    int checked = 0;
    for (int64_t budget = 0; budget < static_cast<int64_t>(newFile.size()); ++budget) {
        fileWriteFaults.byteBudget = budget;
        ASSERT_FALSE(saveSettings(app)) << budget;
        ASSERT_EQ(fileWriteFaults.bytesWritten, budget);
        ASSERT_EQ(readRaw(), oldFile) << "after " << budget << " bytes";
        ++checked;
    }
    EXPECT_EQ(checked, static_cast<int>(newFile.size()));
    RecordProperty("failure_points", checked + 2);  // every byte count, the flush and the rename
    expectOnlyTheFile();

    // The flush to the disk fails, then the rename: still the old file.
    fileWriteFaults = FileWriteFaults{};
    fileWriteFaults.failFlush = 1;
    EXPECT_FALSE(saveSettings(app));
    EXPECT_EQ(readRaw(), oldFile);
    fileWriteFaults = FileWriteFaults{};
    fileWriteFaults.failRename = 1;
    EXPECT_FALSE(saveSettings(app));
    EXPECT_EQ(readRaw(), oldFile);
    expectOnlyTheFile();

    // A budget of exactly the file's size is no failure: the new file, whole.
    fileWriteFaults = FileWriteFaults{};
    fileWriteFaults.byteBudget = static_cast<int64_t>(newFile.size());
    EXPECT_TRUE(saveSettings(app));
    EXPECT_EQ(readRaw(), newFile);
    expectOnlyTheFile();
}

TEST_F(SettingsSaveSafety, AFirstSaveThatFailsLeavesNoFileAtAll) {
    fileWriteFaults.byteBudget = 10;
    EXPECT_FALSE(saveSettings(app));
    EXPECT_FALSE(fs::exists(path));
    EXPECT_FALSE(fs::exists(path + ".new"));
}

TEST_F(SettingsSaveSafety, AFolderInPlaceOfTheFileIsReportedAndKept) {
    fs::create_directories(path);
    fs::create_directories(path + ".new");
    EXPECT_FALSE(saveSettings(app));
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_TRUE(fs::is_directory(path + ".new")) << "a folder that is not ours is left alone";
    fs::remove(path + ".new");
    EXPECT_FALSE(saveSettings(app)) << "the new file cannot be renamed over a folder";
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_FALSE(fs::exists(path + ".new"));
}

TEST_F(SettingsSaveSafety, AFailedSaveKeepsTheGameInMemory) {
    app.view.language = 1;
    app.game.gridNumber = 3;
    storeGridState(app, 3, "ABCK");
    app.clocks.stopwatches[3].addSeconds(77);
    app.keptUserLines.add("usr=mine");
    const TextList before = settingsLines(app);

    fileWriteFaults.byteBudget = 40;
    EXPECT_FALSE(saveSettings(app));
    EXPECT_EQ(settingsLines(app).items, before.items);
    EXPECT_EQ(gridStateOf(app, 3).s, "ABCK");
    EXPECT_EQ(app.clocks.stopwatches[3].elapsedSeconds(), 77);

    // What the player is told: the failure, in the current language, and never a success.
    TextString told = saveSettingsForPlayer(app);
    EXPECT_EQ(told.s, saveFailedText(1, path).s);
    app.view.language = 0;
    EXPECT_EQ(saveSettingsForPlayer(app).s, saveFailedText(0, path).s);
    app.view.language = 1;

    // Once the disk has room again, the same game saves, and nothing is to be told.
    fileWriteFaults = FileWriteFaults{};
    EXPECT_TRUE(saveSettingsForPlayer(app).isEmpty());
    TextList lines;
    lines.readFile(path);
    EXPECT_EQ(lines.items, before.items);
}

TEST_F(SettingsSaveSafety, TheFailureTextNamesTheFileInTheCurrentLanguage) {
    const std::string file = "C:\\Jeux\\ORNEL 162.TXT";
    std::string en = saveFailedText(1, file).s;
    std::string fr = saveFailedText(0, file).s;
    EXPECT_EQ(en.rfind("The settings file could not be written:\n" + file + "\n\n", 0), 0u) << en;
    EXPECT_NE(en.find("Nothing was saved"), std::string::npos);
    EXPECT_EQ(fr.rfind("Le fichier des r\xE9glages n'a pas pu \xEAtre \xE9" "crit :\n" + file + "\n\n", 0), 0u) << fr;
    EXPECT_NE(fr.find("Rien n'a \xE9t\xE9 enregistr\xE9"), std::string::npos);
    // Any language other than English reads as French, as every message does.
    EXPECT_EQ(saveFailedText(7, file).s, fr);
    // The numbered messages are untouched by it.
    EXPECT_TRUE(composeMessage(16, 1).isEmpty());
}

}  // namespace
