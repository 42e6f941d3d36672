// Bolvenda.exe as built by scripts/windows.sh, read back: what it imports, its version record,
// its icon and manifest. Skipped where the Windows build has not been made.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>

#include "pe_image.hpp"
#include "version_record.hpp"

namespace bolvenda::windows_test {
namespace {

std::vector<unsigned char> file_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

class BuiltExe : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!std::filesystem::exists(BOLVENDA_WINDOWS_EXE))
            GTEST_SKIP() << BOLVENDA_WINDOWS_EXE
                         << " is not built (bash scripts/windows.sh builds it)";
        image_.emplace(PeImage::read_file(BOLVENDA_WINDOWS_EXE));
    }
    std::optional<PeImage> image_;
};

TEST_F(BuiltExe, IsA64BitWindowsProgramImportingOnlyWindowsOwnDlls) {
    EXPECT_TRUE(image_->is_64_bit());
    EXPECT_EQ(image_->subsystem(), 2) << "a console program opens a console window beside the game";
    // DLLs every Windows installation has; SDL2, FreeType and the compiler's runtime are inside.
    const std::set<std::string> system{
        "kernel32.dll", "user32.dll",   "gdi32.dll",   "advapi32.dll", "shell32.dll",
        "ole32.dll",    "oleaut32.dll", "imm32.dll",   "winmm.dll",    "version.dll",
        "setupapi.dll", "msvcrt.dll",   "shlwapi.dll", "comctl32.dll"};
    const std::vector<std::string> dlls = image_->imported_dlls();
    EXPECT_TRUE(std::count(dlls.begin(), dlls.end(), "KERNEL32.dll"))
        << "the import table was not read";
    for (const std::string& dll : dlls)
        EXPECT_TRUE(system.contains(lower(dll))) << dll << " is no system DLL";
}

TEST_F(BuiltExe, HoldsTheIconTheManifestAndTheVersionRecordAndNothingElse) {
    std::multiset<std::uint16_t> types;
    for (const Resource& r : image_->resources()) types.insert(r.type);
    // The pictures of the one icon, its group, the manifest and the version record.
    std::multiset<std::uint16_t> expected{14, 16, 24};
    const auto icon = file_bytes(BOLVENDA_ASSET_DIR "/bolvenda.ico");
    ASSERT_GE(icon.size(), 6u);
    for (int i = 0; i < (icon[4] | icon[5] << 8); ++i) expected.insert(3);
    EXPECT_EQ(types, expected);
}

TEST_F(BuiltExe, VersionRecordIsExactlyTheDesigns) {
    const auto versions = image_->resources(ResourceType::version);
    ASSERT_EQ(versions.size(), 1u);
    EXPECT_EQ(versions[0].id, 1);
    EXPECT_EQ(versions[0].language, 0x0410)
        << "the record is filed under another language than its strings";
    const VersionRecord record = read_version_record(versions[0].data);
    EXPECT_EQ(record.file_version, (std::array<std::uint16_t, 4>{1, 0, 0, 0}));
    EXPECT_EQ(record.product_version, (std::array<std::uint16_t, 4>{1, 0, 0, 0}));
    ASSERT_EQ(record.string_blocks.size(), 1u);
    EXPECT_EQ(record.string_blocks[0].key, "041004B0");
    using Entries = std::set<std::pair<std::string, std::string>>;
    const auto& e = record.string_blocks[0].entries;
    EXPECT_EQ(Entries(e.begin(), e.end()), (Entries{{"ProductName", "Bolvenda"},
                                                    {"InternalName", "Bolvenda"},
                                                    {"OriginalFilename", "Bolvenda.exe"},
                                                    {"FileVersion", "1.00"},
                                                    {"ProductVersion", "1.00"}}));
    EXPECT_EQ(e.size(), 5u) << "an entry is there twice";
    EXPECT_EQ(record.translations,
              (std::vector<std::pair<std::uint16_t, std::uint16_t>>{{0x0410, 1200}}));
    EXPECT_TRUE(record.other_keys.empty()) << record.other_keys.front();
}

TEST_F(BuiltExe, ItsIconIsBolvendaIcoByteForByte) {
    const auto groups = image_->resources(ResourceType::group_icon);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(icon_file(*image_, groups[0]), file_bytes(BOLVENDA_ASSET_DIR "/bolvenda.ico"));
}

TEST_F(BuiltExe, ItsManifestDeclaresPerMonitorDpiAwareness) {
    const auto manifests = image_->resources(ResourceType::manifest);
    ASSERT_EQ(manifests.size(), 1u);
    EXPECT_EQ(manifests[0].id, 1) << "Windows reads the process's manifest from id 1 only";
    const std::string text(manifests[0].data.begin(), manifests[0].data.end());
    EXPECT_NE(text.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos) << text;
    EXPECT_NE(text.find(">true/pm</dpiAware>"), std::string::npos) << text;
}

TEST_F(BuiltExe, DamagedCopiesAreRefusedRatherThanOverread) {
    const std::vector<unsigned char> whole = file_bytes(BOLVENDA_WINDOWS_EXE);
    for (std::size_t length :
         {std::size_t{0}, std::size_t{2}, std::size_t{0x40}, std::size_t{0x100}}) {
        EXPECT_THROW(PeImage(std::vector(whole.begin(), whole.begin() + length)),
                     std::runtime_error)
            << length;
    }
    // The resources lie at the end: a file cut short of them fails when they are read.
    PeImage cut(std::vector(whole.begin(), whole.begin() + whole.size() / 2));
    EXPECT_THROW(cut.resources(), std::runtime_error);

    const auto record = image_->resources(ResourceType::version)[0].data;
    EXPECT_THROW(read_version_record(record.first(record.size() / 2)), std::runtime_error);
    std::vector<unsigned char> longer(record.begin(), record.end());
    longer[0] = 0xFF;  // the root claims more bytes than there are
    EXPECT_THROW(read_version_record(longer), std::runtime_error);
}

}  // namespace
}  // namespace bolvenda::windows_test
