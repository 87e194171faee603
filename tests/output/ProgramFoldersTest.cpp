#include "output/ProgramFolders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

class ProgramFoldersTest : public testing::Test {
protected:
    void SetUp() override {
        m_root = fs::temp_directory_path() /
                 ("orbelin-folders-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                  "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_root);
        fs::create_directories(m_root / "usr" / "bin");
    }
    void TearDown() override { fs::remove_all(m_root); }

    fs::path m_root;
};

// A development build: Res/ beside the programs wins, even when an installed copy exists too.
TEST_F(ProgramFoldersTest, FilesBesideTheProgramComeFirst) {
    fs::create_directories(m_root / "usr" / "bin" / "Res");
    fs::create_directories(m_root / "usr" / "share" / "orbelin" / "Res");
    EXPECT_EQ(BaseFolderBeside(m_root / "usr" / "bin"), m_root / "usr" / "bin");
}

// An installed program: /usr/bin/orbelin reads /usr/share/orbelin/.
TEST_F(ProgramFoldersTest, InstalledProgramReadsTheDataFolderOfItsPrefix) {
    fs::create_directories(m_root / "usr" / "share" / "orbelin" / "Res");
    EXPECT_EQ(BaseFolderBeside(m_root / "usr" / "bin"), m_root / "usr" / "share" / "orbelin");
}

// Neither: the program's own folder, whose missing files the programs report as before.
TEST_F(ProgramFoldersTest, WithoutDataTheProgramFolderStays) {
    EXPECT_EQ(BaseFolderBeside(m_root / "usr" / "bin"), m_root / "usr" / "bin");
    // A file named Res is not the folder.
    std::ofstream(m_root / "usr" / "bin" / "Res") << "x";
    EXPECT_EQ(BaseFolderBeside(m_root / "usr" / "bin"), m_root / "usr" / "bin");
}

} // namespace
