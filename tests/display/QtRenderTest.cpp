// The Qt device and real renderings of a solution to PNG, SVG and PDF.

#include "tests/support/SampleSolution.h"

#include "display/Graphics.h"
#include "display/MyWord.h"
#include "display/QtLayoutDevice.h"
#include "display/SolutionRenderer.h"
#include "output/LanguageTables.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <QTemporaryDir>

namespace {

class QtRenderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureGuiApplication(); }

    void SetUp() override {
        ASSERT_TRUE(m_directory.isValid());
        ASSERT_TRUE(m_english.LoadFile(std::string(ORBELIN_SOURCE_DIR) + "/res/English.ini", nullptr));
        AddSampleSolution(m_solution);
    }

    std::string PathOf(const char* name) const { return m_directory.filePath(name).toStdString(); }
    CommentTextFunction Texts() const {
        return [this](CommentIDType id) { return m_english.CommentText(id); };
    }

    QTemporaryDir m_directory;
    CLanguageTables m_english;
    COutputList m_solution;
};

TEST_F(QtRenderTest, FontsHaveTheRequestedCellHeightAndTheSigns) {
    QImage image(10, 10, QImage::Format_RGB32);
    CQtLayoutDevice device(&image);
    for (const int kind : {kFontKindText, kFontKindFormula, kFontKindSymbol}) {
        for (const int height : {8, 26, 100}) {
            SCOPED_TRACE(std::to_string(kind) + " at " + std::to_string(height));
            device.SelectFont(device.CreateFont({kind, height, 0}));
            const DeviceTextMetrics metrics = device.GetTextMetrics();
            EXPECT_NEAR(metrics.height, height, 1 + height / 20);
            EXPECT_GT(metrics.aveCharWidth, 0);
            EXPECT_GT(device.GetTextExtent("x").width, 0);
        }
    }
    // The symbol face holds every sign of the symbol set itself, without falling back to another face.
    const QRawFont symbols = QRawFont::fromFont(device.FontFor({kFontKindSymbol, 26, 0}));
    for (const unsigned char byte : {0xB9, 0xBB, 0xB3, 0xA3, 0xB1, 0xB8}) {
        SCOPED_TRACE(byte);
        EXPECT_TRUE(symbols.supportsCharacter(DisplayCharacter(byte, kFontKindSymbol)));
    }
    const QRawFont formulas = QRawFont::fromFont(device.FontFor({kFontKindFormula, 26, 0}));
    EXPECT_TRUE(formulas.supportsCharacter(DisplayCharacter(0xB8, kFontKindFormula)));
    EXPECT_TRUE(formulas.supportsCharacter(DisplayCharacter('-', kFontKindFormula)));
}

TEST_F(QtRenderTest, NarrowedBraceIsNarrower) {
    QImage image(10, 10, QImage::Format_RGB32);
    CQtLayoutDevice device(&image);
    device.SelectFont(device.CreateFont({kFontKindSymbol, 70, 0}));
    const int normal = device.GetTextExtent("{").width;
    device.SelectFont(device.CreateFont({kFontKindSymbol, 70, 10}));
    EXPECT_LT(device.GetTextExtent("{").width, normal);
}

TEST_F(QtRenderTest, BytesShowAsTheirSigns) {
    EXPECT_EQ(DisplayCharacter(0xB9, kFontKindSymbol), QChar(0x2260));
    EXPECT_EQ(DisplayCharacter(0xB1, kFontKindFormula), QChar(0x00B1));
    EXPECT_EQ(DisplayCharacter(0xB5, kFontKindFormula), QChar(','));
    // In plain text the same bytes are Windows-1251 letters and signs.
    EXPECT_EQ(DisplayCharacter(0xB8, kFontKindText), QChar(0x0451));
    EXPECT_EQ(DisplayCharacter(0xC0, kFontKindText), QChar(0x0410));
    EXPECT_EQ(DisplayText("x-1", kFontKindText), QStringLiteral("x-1"));
}

// The rectangle of the pixels that are not near white; empty when there are none.
QRect DrawnInk(const QImage& image) {
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).red() < 200) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    return ink;
}

// Paints one symbol of a formula at (50, 50) on a white image and returns the pixels it inked, with
// the room it has: the box it was measured in, across the whole formula's height.
struct PaintedSymbol {
    QRect ink;
    QRect box;
};
PaintedSymbol PaintOneSymbol(const char* formula, unsigned char character, int language) {
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    CQtLayoutDevice device(&image, &painter);
    CGraphics graphics(device);
    MyWord word(formula, kFontKindFormula, 26, MakeRgb(0, 0, 255));
    word.x = 50;
    word.y = 50;
    const std::vector<MySymbol>& symbols = word.Symbols(graphics);
    const auto found = std::find_if(symbols.begin(), symbols.end(),
                                    [&](const MySymbol& symbol) { return symbol.character == character; });
    if (found == symbols.end()) {
        return {};
    }
    const auto index = static_cast<std::size_t>(found - symbols.begin());
    QRect box(word.x + found->x, word.y, found->width, word.Height(graphics));
    if (character == ':') {
        // The division sign may reach half of the space on each side.
        const int halfSpace = graphics.Metrics(kFontKindFormula, 26).aveCharWidth / 2;
        box.adjust(-halfSpace, 0, halfSpace, 0);
    }
    PaintSymbols(graphics, word, language, 0, 0, index, index);
    painter.end();
    return {DrawnInk(image), box};
}

TEST_F(QtRenderTest, SwappedSignsAndTheSystemBraceInkStayInsideTheirBoxes) {
    struct Case {
        const char* formula;
        unsigned char character;
        int language;
    };
    const Case cases[] = {
        {"$2,5x:4$", ':', kEnglishLanguage},
        {"$2,5x:4$", ',', kEnglishLanguage},
        {"$2,5x:4$", ':', kRussianLanguage},
        {"$(1+1/x):(1-1/x^2)$", ':', kEnglishLanguage},
        {"$!sys{x=1;y=2;z=3}$", '{', kEnglishLanguage},
        {"$!sys{x/2>0;x^2-1>0}$", '{', kEnglishLanguage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.formula) + " '" + static_cast<char>(c.character) + "' in language " +
                     std::to_string(c.language));
        const PaintedSymbol painted = PaintOneSymbol(c.formula, c.character, c.language);
        ASSERT_FALSE(painted.ink.isEmpty());
        // Antialiasing may touch the pixel next to the ink's bounds.
        EXPECT_TRUE(painted.box.adjusted(-1, -1, 1, 1).contains(painted.ink))
            << "ink " << painted.ink.left() << "," << painted.ink.top() << " to " << painted.ink.right()
            << "," << painted.ink.bottom() << " box " << painted.box.left() << "," << painted.box.top()
            << " to " << painted.box.right() << "," << painted.box.bottom();
        if (c.character == '{') {
            EXPECT_GE(painted.ink.height(), painted.box.height() * 8 / 10) << "the brace spans the lines";
        }
    }
}

// A rational equation whose first record is its three conditions, then the sample solution with its
// two. Set ORBELIN_DRAWING_PICTURES to a folder to keep the PNG and PDF for viewing.
TEST_F(QtRenderTest, SystemAsTheFirstRecordIsNotCutOff) {
    const std::string notEqual(1, static_cast<char>(0xB9));
    const LineBlockList domain = {{LineBlockKind::Domain, 0}};
    COutputList equation;
    equation.AddFormula(&domain, "!sys{x-1" + notEqual + "0;x+2" + notEqual + "0;x" + notEqual + "0}", false);
    equation.AddFormula(&domain, "1/{x-1}+1/{x+2}=3/x", false);
    AddSampleSolution(equation);
    const QString kept = qEnvironmentVariable("ORBELIN_DRAWING_PICTURES");
    const std::string png = kept.isEmpty() ? PathOf("system.png") : kept.toStdString() + "/system.png";
    ASSERT_EQ(RenderSolution(equation, Texts(), png, RenderOptions{}), "");
    if (!kept.isEmpty()) {
        ASSERT_EQ(RenderSolution(equation, Texts(), kept.toStdString() + "/system.pdf", RenderOptions{}), "");
    }
    const QImage image(QString::fromStdString(png));
    ASSERT_FALSE(image.isNull());
    EXPECT_TRUE(DrawnInk(image.copy(0, 0, image.width(), 1)).isEmpty()) << "ink on the first row of pixels";
}

// Pixels that are neither white nor a band background: the drawn text and lines.
int InkPixels(const QImage& image) {
    int ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.blue() > c.red() + 60 && c.blue() > c.green() + 60) {
                ++ink;
            }
        }
    }
    return ink;
}

TEST_F(QtRenderTest, PngShowsTheBandsAndTheirWords) {
    const std::string path = PathOf("solution.png");
    ASSERT_EQ(RenderSolution(m_solution, Texts(), path, RenderOptions{}), "");
    QImage image(QString::fromStdString(path));
    ASSERT_FALSE(image.isNull());
    EXPECT_GE(image.width(), 640);
    // Fourteen records, each band at least one line of 26.
    EXPECT_GT(image.height(), 14 * 26);
    EXPECT_LT(image.height(), 14 * 200);
    EXPECT_EQ(image.pixelColor(image.width() - 1, 0), QColor(255, 255, 0));
    EXPECT_EQ(image.pixelColor(image.width() - 1, image.height() - 1), QColor(255, 255, 0));
    EXPECT_GT(InkPixels(image), 5'000);
}

TEST_F(QtRenderTest, PngMatchesTheViewLayout) {
    QImage screen(1, 1, QImage::Format_RGB32);
    CQtLayoutDevice device(&screen);
    CGraphics graphics(device);
    CViewList view;
    view.Build(m_solution, true, Texts(), graphics, 640);
    const std::string path = PathOf("solution.png");
    ASSERT_EQ(RenderSolution(m_solution, Texts(), path, RenderOptions{}), "");
    QImage image(QString::fromStdString(path));
    EXPECT_EQ(image.height(), view.ScrollHeight());
    // The second band (indent 1, grey of level 1) shows its grey at its right end.
    const LineStruct& second = view.Lines()[1];
    EXPECT_EQ(image.pixelColor(image.width() - 1, (second.band.top + second.band.bottom) / 2),
              ToQColor(second.background));
}

TEST_F(QtRenderTest, SvgIsADrawingWithText) {
    const std::string path = PathOf("solution.svg");
    ASSERT_EQ(RenderSolution(m_solution, Texts(), path, RenderOptions{}), "");
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    EXPECT_TRUE(content.contains("<svg"));
    // Glyph by glyph: the comment words in the text face, the formulas' signs as Unicode.
    EXPECT_TRUE(content.contains(">A</text>"));
    EXPECT_TRUE(content.contains("font-style=\"italic\""));
    EXPECT_TRUE(content.contains(QString(QChar(0x2260)).toUtf8()));
    EXPECT_GT(content.count("<text"), 100);
}

TEST_F(QtRenderTest, PdfHasNumberedPages) {
    COutputList longSolution;
    AddSampleSolution(longSolution, 8);
    const std::string path = PathOf("solution.pdf");
    ASSERT_EQ(RenderSolution(longSolution, Texts(), path, RenderOptions{}), "");
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    EXPECT_TRUE(content.startsWith("%PDF"));
    EXPECT_GE(content.count("/Type /Page\n") + content.count("/Type /Page "), 2);
}

// The widths of the lines a content stream of a PDF file strokes with (its "w" operators).
std::vector<double> PdfLineWidths(const QByteArray& pdf) {
    std::vector<double> widths;
    qsizetype at = 0;
    while ((at = pdf.indexOf("stream\n", at)) >= 0) {
        const qsizetype start = at + 7;
        const qsizetype end = pdf.indexOf("endstream", start);
        if (end < 0) {
            break;
        }
        // The streams are deflated; qUncompress wants the expected size in front.
        QByteArray packed("\x00\x10\x00\x00", 4);
        packed += pdf.mid(start, end - start);
        const QByteArray content = qUncompress(packed);
        for (const QByteArray& token : content.split('\n')) {
            const QList<QByteArray> words = token.simplified().split(' ');
            for (qsizetype i = 1; i < words.size(); ++i) {
                bool ok = false;
                const double width = words[i - 1].toDouble(&ok);
                if (ok && words[i] == "w") {
                    widths.push_back(width);
                }
            }
        }
        at = end;
    }
    return widths;
}

// Fraction bars and strike lines on paper are as thick against the letters as on the screen: two
// pixels of a 96 dpi screen are 12.5 units of a 600 dpi page, not 2 (a hairline).
TEST_F(QtRenderTest, PrintedLinesAreAsThickAgainstTheLettersAsOnTheScreen) {
    const std::string path = PathOf("lines.pdf");
    ASSERT_EQ(RenderSolution(m_solution, Texts(), path, RenderOptions{}), "");
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::vector<double> widths = PdfLineWidths(file.readAll());
    ASSERT_FALSE(widths.empty());
    const double widest = *std::max_element(widths.begin(), widths.end());
    EXPECT_GT(widest, 10.0);
    EXPECT_LT(widest, 15.0);

    // A device draws its lines at the width it is given, across that many rows of pixels.
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    CQtLayoutDevice device(&image, &painter);
    device.SetLineWidth(12);
    device.DrawLine(10, 50, 90, 50, 0);
    painter.end();
    int darkRows = 0;
    for (int y = 0; y < image.height(); ++y) {
        darkRows += qGray(image.pixel(50, y)) < 128 ? 1 : 0;
    }
    EXPECT_EQ(darkRows, 12);
}

TEST_F(QtRenderTest, ImagesTooLargeToDrawAreRefusedButPrintedPagesFit) {
    COutputList wide;
    std::string sum = "1";
    for (int i = 0; i < 2'000; ++i) {
        sum += "+1";
    }
    wide.AddFormula(nullptr, sum, false);
    const std::string message = RenderSolution(wide, Texts(), PathOf("wide.png"), RenderOptions{});
    EXPECT_NE(message.find("too large"), std::string::npos) << message;
    EXPECT_FALSE(QFile::exists(QString::fromStdString(PathOf("wide.png"))));
    EXPECT_NE(RenderSolution(wide, Texts(), PathOf("wide.svg"), RenderOptions{}), "");
    EXPECT_EQ(RenderSolution(wide, Texts(), PathOf("wide.pdf"), RenderOptions{}), "");
}

TEST_F(QtRenderTest, UnknownFormatsAndUnwritablePathsAreReported) {
    EXPECT_NE(RenderSolution(m_solution, Texts(), PathOf("solution.bmp"), RenderOptions{}), "");
    EXPECT_NE(RenderSolution(m_solution, Texts(), "/nonexistent-folder/solution.png", RenderOptions{}), "");
    EXPECT_EQ(RenderFormatOf("A.PNG"), RenderFormat::Png);
    EXPECT_EQ(RenderFormatOf("a.Svg"), RenderFormat::Svg);
    EXPECT_EQ(RenderFormatOf("pdf"), RenderFormat::Unknown);
}

} // namespace
