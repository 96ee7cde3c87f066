// Camera images of every shape the page may be handed: the formats it shows
// pixel for pixel and the malformed ones it shows nothing of, without reading
// a byte outside the image (each image sits in a heap block of its exact size).
#include "bmp_builder.h"
#include "ovc_fixture.h"

#include "platform/ui/window_capture.h"
#include "toolsheet/bmp_file_parts.h"
#include "toolsheet/gdi_handles.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

namespace {

class OvcImageFormatsTest : public OvcPageTest {
protected:
    void SetUp() override {
        OvcPageTest::SetUp();
        if (HasFatalFailure())
            return;
        Open();
        OpenTab();
        Page().m_running = TRUE; // images are shown; the camera itself stays off
    }
    // Hands the bytes over in a block of exactly their size.
    void ShowExactly(const std::vector<uint8_t>& bytes, size_t size) {
        std::unique_ptr<BYTE[]> block(size ? new BYTE[size] : nullptr);
        std::copy_n(bytes.begin(), size, block.get());
        Page().ShowImage(block.get(), size);
    }
    void Show(const std::vector<uint8_t>& bytes) { ShowExactly(bytes, bytes.size()); }
    // A 1 x 1 white image, so that "nothing shown" is told from "shown".
    void ShowMarker() {
        BmpLayout marker;
        marker.pixel = [](int, int) { return 0xFFFFFFu; };
        Show(MakeBmp(marker));
        ASSERT_EQ(Shown().width, 1);
    }
    void ExpectMarkerStill(const char* what) {
        const platform::PictureImage image = Shown();
        EXPECT_TRUE(image.width == 1 && image.height == 1 && image.At(0, 0) == 0xFFFFFFu) << what;
    }
};

TEST_F(OvcImageFormatsTest, EveryBitDepthWithItsRowPaddingAndColourTable) {
    const uint32_t palette[] = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456};
    struct Case {
        uint16_t bits;
        int32_t width, height;
        uint32_t coloursUsed;
        uint32_t headerSize = 40; // a later version is read past its own size
    };
    const Case cases[] = {{1, 9, 3, 2},  {4, 5, 3, 4},   {8, 3, -2, 4},     {16, 3, 2, 0},
                          {24, 5, 3, 0}, {32, 2, -2, 0}, {24, 3, 1, 0, 124}};
    for (const Case& c : cases) {
        BmpLayout layout;
        layout.bitCount = c.bits;
        layout.width = c.width;
        layout.height = c.height;
        layout.coloursUsed = c.coloursUsed;
        layout.headerSize = c.headerSize;
        if (c.bits <= 8)
            layout.palette.assign(palette, palette + c.coloursUsed);
        layout.pixel = [&](int x, int y) -> uint32_t {
            if (c.bits <= 8)
                return (x + 2 * y) % c.coloursUsed;
            if (c.bits == 16)
                return (x * 3u << 10) | (y * 7u << 5) | 31u; // 5-5-5
            return palette[(x + 2 * y) % 4];
        };
        Show(MakeBmp(layout));
        const platform::PictureImage image = Shown();
        ASSERT_EQ(image.width, c.width) << c.bits << " bits";
        ASSERT_EQ(image.height, c.height < 0 ? -c.height : c.height);
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x) {
                uint32_t expected = palette[(x + 2 * y) % (c.bits <= 8 ? c.coloursUsed : 4)];
                if (c.bits == 16) {
                    const uint32_t r = x * 3, g = y * 7; // blue is 31: full
                    expected = ((r << 3 | r >> 2) << 16) | ((g << 3 | g >> 2) << 8) | 0xFF;
                }
                EXPECT_EQ(image.At(x, y), expected) << c.bits << " bits at " << x << "," << y;
            }
    }
}

TEST_F(OvcImageFormatsTest, AnIndexPastAShortColourTableIsBlack) {
    BmpLayout layout;
    layout.bitCount = 4;
    layout.width = 2;
    layout.palette = {0x0000FF, 0x00FF00};
    layout.coloursUsed = 2;
    layout.pixel = [](int x, int) { return x ? 9u : 1u; };
    Show(MakeBmp(layout));
    EXPECT_EQ(Shown().At(0, 0), 0x00FF00u);
    EXPECT_EQ(Shown().At(1, 0), 0u);
}

TEST_F(OvcImageFormatsTest, NoTruncationOfAnImageIsShownOrReadPast) {
    BmpLayout layout;
    layout.bitCount = 8;
    layout.width = 5; // rows of 5 bytes padded to 8
    layout.height = 3;
    layout.palette = {0x102030, 0x405060};
    layout.coloursUsed = 2;
    const std::vector<uint8_t> file = MakeBmp(layout);
    ShowMarker();
    for (size_t size = 0; size < file.size(); ++size) {
        ShowExactly(file, size);
        ExpectMarkerStill("a truncated file");
    }
    Show(file);
    EXPECT_EQ(Shown().width, 5);
}

TEST_F(OvcImageFormatsTest, MalformedHeadersShowNothing) {
    BmpLayout good;
    good.width = 4;
    good.height = 2;
    const std::vector<uint8_t> valid = MakeBmp(good);
    struct Mutation {
        const char* what;
        size_t at;
        uint32_t value;
        int size;
    };
    const Mutation mutations[] = {
        {"not a BMP signature", 0, 'P' | 'K' << 8, 2},
        {"a core header", 14, 12, 4},
        {"a header larger than the file", 14, 2000, 4},
        {"zero width", 18, 0, 4},
        {"negative width", 18, static_cast<uint32_t>(-4), 4},
        {"zero height", 22, 0, 4},
        {"the most negative height", 22, 0x80000000u, 4},
        {"two planes", 26, 2, 2},
        {"no bit depth", 28, 0, 2},
        {"two bits per pixel", 28, 2, 2},
        {"64 bits per pixel", 28, 64, 2},
        {"run-length compression", 30, 1, 4},
        {"bit fields", 30, 3, 4},
        {"pixels after the end", 10, static_cast<uint32_t>(valid.size()), 4},
        {"pixels far after the end", 10, 0xFFFFFFF0u, 4},
        {"more rows than bytes", 22, 1000, 4},
        {"more columns than bytes", 18, 0x7FFFFFFF, 4},
        {"a huge top-down image", 22, static_cast<uint32_t>(-100000), 4},
    };
    ShowMarker();
    for (const Mutation& m : mutations) {
        std::vector<uint8_t> bytes = valid;
        PutLe(bytes, m.at, m.value, m.size);
        Show(bytes);
        ExpectMarkerStill(m.what);
    }

    BmpLayout palette;
    palette.bitCount = 8;
    palette.coloursUsed = 300; // more colours than 8 bits index
    palette.palette.assign(300, 0x111111);
    Show(MakeBmp(palette));
    ExpectMarkerStill("a colour table longer than the bits allow");

    palette.coloursUsed = 0; // a full table of 256 is expected, 2 are there
    palette.palette.assign(2, 0x111111);
    std::vector<uint8_t> shortTable = MakeBmp(palette);
    shortTable.resize(14 + 40 + 8);
    Show(shortTable);
    ExpectMarkerStill("a colour table cut short");

    const std::vector<uint8_t> empty;
    Page().ShowImage(nullptr, 0);
    Show(empty);
    Show({'B', 'M'});
    Show(std::vector<uint8_t>(4096, 0xFF));
    ExpectMarkerStill("no image at all");
    EXPECT_TRUE(screen.Boxes().empty());
}

TEST_F(OvcImageFormatsTest, NothingIsShownBeforeStartOrWithoutTheControl) {
    Page().m_running = FALSE;
    BmpLayout layout;
    Show(MakeBmp(layout));
    EXPECT_EQ(Shown().width, 0);
    WCPropPageOVC unshown(device.get()); // no window yet
    const std::vector<uint8_t> file = MakeBmp(layout);
    unshown.m_running = TRUE;
    unshown.ShowImage(file.data(), file.size());
    EXPECT_EQ(unshown.m_picture, nullptr);
}

TEST_F(OvcImageFormatsTest, ASavedImageReadsBackAsTheSamePixels) {
    platform::PictureImage image;
    image.width = 3; // rows padded from 9 to 12 bytes
    image.height = 2;
    image.pixels = {0xFF0000, 0x00FF00, 0x0000FF, 0x010203, 0xFEDCBA, 0x000000};
    const std::vector<uint8_t> bytes = platform::EncodeBmpFile(image);
    Show(bytes);
    EXPECT_EQ(Shown().pixels, image.pixels);

    const std::filesystem::path path = Env().Folder() / "camera.bmp";
    ASSERT_TRUE(platform::WriteBmpFile(simtest::Utf8Path(path), image));
    std::ifstream file(path, std::ios::binary);
    const std::vector<uint8_t> written{std::istreambuf_iterator<char>(file), {}};
    EXPECT_EQ(written, bytes);
    EXPECT_TRUE(platform::EncodeBmpFile(platform::PictureImage{}).empty());
}

TEST_F(OvcImageFormatsTest, ABitmapIsMadeOnlyOfTheSizeItsFormatDescribes) {
    if (platform::RealWindows())
        GTEST_SKIP() << "a check of the headless GDI; the system's gdi32 trusts the caller";
    BmpLayout layout;
    layout.width = 2;
    const std::vector<uint8_t> file = MakeBmp(layout);
    std::optional<BmpFileParts> parts = BmpFileParts::Read(file.data(), file.size());
    ASSERT_TRUE(parts);
    BITMAPINFOHEADER larger = *parts->Header();
    larger.biWidth = 50;
    const long before = platform::LiveGdiObjectCount();
    {
        ScreenDC dc;
        EXPECT_EQ(CreateDIBitmap(dc.Get(), &larger, CBM_INIT, parts->Bits(), parts->Info(),
                                 DIB_RGB_COLORS),
                  nullptr);
        GdiBitmap blank(CreateDIBitmap(dc.Get(), &larger, 0, nullptr, nullptr, DIB_RGB_COLORS));
        EXPECT_TRUE(blank);
        EXPECT_EQ(platform::LiveGdiObjectCount(), before + 2);
    }
    EXPECT_EQ(platform::LiveGdiObjectCount(), before);
    EXPECT_FALSE(DeleteObject(nullptr));
}

} // namespace
