#include <gtest/gtest.h>

#include <fstream>

#include "core/base/speakable_text.h"
#include "tests/core/station/station_fixture.h"

namespace vox {
namespace {

// Each encoding a document from outside may come in, and what the voice is handed.
TEST(SpeakableText, DecodesEveryEncodingToUtf8) {
    const struct {
        const char* what;
        std::string bytes;
        std::string text;
    } cases[] = {
        {"ASCII", "Solar flux 69", "Solar flux 69"},
        {"UTF-8 kept", "Z\xC3\xBCrich \xE2\x82\xAC", "Z\xC3\xBCrich \xE2\x82\xAC"},
        {"UTF-8 byte-order mark dropped", "\xEF\xBB\xBFhello", "hello"},
        {"Windows-1252", "Z\xFCrich \x80 \x93", "Z\xC3\xBCrich \xE2\x82\xAC \xE2\x80\x9C"},
        {"undefined 1252 byte", "a\x81z", "a z"},
        // One stray byte makes the whole document Windows-1252, not a mix of the two.
        {"mixed", "\xC3\xBC \xFC", "\xC3\x83\xC2\xBC \xC3\xBC"},
        {"overlong is not UTF-8", "\xC0\xAF", "\xC3\x80\xC2\xAF"},
        {"surrogate is not UTF-8", "\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
        {"1252 letter at the end", "caf\xE9", "caf\xC3\xA9"},
        {"UTF-16LE", std::string("\xFF\xFEh\0i\0\xAC\x20", 8), "hi\xE2\x82\xAC"},
        {"UTF-16BE", std::string("\xFE\xFF\0h\0i", 6), "hi"},
        {"UTF-16 pair", std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6), "\xF0\x9F\x98\x80"},
        {"UTF-16 lone low half", std::string("\xFF\xFE\x00\xDCx\0", 6), "\xEF\xBF\xBDx"},
        {"UTF-16 odd byte", std::string("\xFF\xFEh\0i", 5), "h"},
        {"UTF-16 cut inside a pair", std::string("\xFF\xFEh\0\x3D\xD8", 6), "h"},
        {"empty", "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(decodeText(c.bytes), c.text) << c.what;
}

TEST(SpeakableText, ReadsTextFilesAndRefusesWhatIsNotText) {
    TempFolder dir;
    const auto write = [&](const std::string& name, const std::string& bytes) {
        std::ofstream(dir.path + "/" + name, std::ios::binary) << bytes;
        return dir.path + "/" + name;
    };
    EXPECT_EQ(readSpeakableTextFile(write("cp.txt", "<xml>caf\xE9</xml>")),
              "<xml>caf\xC3\xA9</xml>");
    EXPECT_EQ(readSpeakableTextFile(write("u16.txt", std::string("\xFF\xFEo\0k\0", 6))), "ok");
    EXPECT_EQ(readSpeakableTextFile(write("nul.txt", std::string("a\0b", 3))), std::nullopt);
    EXPECT_EQ(readSpeakableTextFile(write("bin.dat", std::string("\x89PNG\0\x1A", 6))),
              std::nullopt);
    EXPECT_EQ(readSpeakableTextFile(write("u16nul.txt", std::string("\xFF\xFE\0\0", 4))),
              std::nullopt);
    EXPECT_EQ(readSpeakableTextFile(dir.path + "/missing.txt"), std::nullopt);

    // Only the first 256 KiB are read; a character cut there does not turn the file into 1252.
    std::string big(256 * 1024 - 1, 'a');
    big += "\xC3\xA9 tail";
    const auto text = readSpeakableTextFile(write("big.txt", big));
    ASSERT_TRUE(text);
    EXPECT_EQ(text->size(), 256u * 1024 - 1);
    EXPECT_EQ(text->back(), 'a');
}

}  // namespace
}  // namespace vox
