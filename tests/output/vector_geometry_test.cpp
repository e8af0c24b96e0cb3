// A vector page, rasterised by other programs, puts every line edge and dot where the exact
// page drawn at the same resolution puts it, within one device pixel. Positions are compared,
// not pixels: each rasteriser draws a line's width and a dot's outline its own way.
#include "support/program_run.h"

#include <QColor>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <numeric>
#include <optional>
#include <vector>

namespace {

// Dark marks on light paper: a pixel at least half dark is ink, so that the rasterisers'
// antialiased outlines count where they cover half a pixel.
class Ink {
  public:
    explicit Ink(const QImage& picture) {
        const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
        m_width = grey.width();
        m_height = grey.height();
        m_bits.resize(size_t(m_width) * m_height);
        for (int y = 0; y < m_height; ++y) {
            const uchar* row = grey.constScanLine(y);
            for (int x = 0; x < m_width; ++x)
                m_bits[size_t(y) * m_width + x] = row[x] < 128;
        }
    }
    int width() const { return m_width; }
    int height() const { return m_height; }
    bool at(int x, int y) const { return m_bits[size_t(y) * m_width + x]; }
    void set(int x, int y, bool ink) { m_bits[size_t(y) * m_width + x] = ink; }

  private:
    int m_width = 0;
    int m_height = 0;
    std::vector<char> m_bits;
};

// A scan row (or column, with x and y swapped) of a picture, `length` pixels long.
struct ScanLine {
    const Ink& ink;
    bool column;
    int index;
    int length;
    bool at(int i) const { return column ? ink.at(index, i) : ink.at(i, index); }
    bool operator==(const ScanLine& other) const {
        for (int i = 0; i < length; ++i) {
            if (at(i) != other.at(i))
                return false;
        }
        return true;
    }
    // Where ink starts or ends along the line.
    std::vector<int> edges() const {
        std::vector<int> found;
        bool inside = false;
        for (int i = 0; i < length; ++i) {
            if (at(i) != inside) {
                found.push_back(i);
                inside = !inside;
            }
        }
        return found;
    }
};

// Compares the edges along every scan row (or column) whose neighbours on the exact page look
// the same, so that a mark one pixel off across the scan direction does not change what the
// row should show. Returns the first edge more than a pixel off; counts the edges compared.
std::optional<QString> misplacedEdge(const Ink& exact, const Ink& vector, bool columns,
                                     int& compared) {
    const int lines = std::min(columns ? exact.width() : exact.height(),
                               columns ? vector.width() : vector.height());
    const int length = std::min(columns ? exact.height() : exact.width(),
                                columns ? vector.height() : vector.width());
    const char* direction = columns ? "column" : "row";
    for (int i = 1; i + 1 < lines; ++i) {
        const ScanLine expected{exact, columns, i, length};
        if (!(expected == ScanLine{exact, columns, i - 1, length}) ||
            !(expected == ScanLine{exact, columns, i + 1, length}))
            continue;
        const std::vector<int> want = expected.edges();
        const std::vector<int> got = ScanLine{vector, columns, i, length}.edges();
        if (want.size() != got.size())
            return QStringLiteral("%1 %2 has %3 ink edges, not %4 (first at %5, not %6)")
                .arg(direction)
                .arg(i)
                .arg(got.size())
                .arg(want.size())
                .arg(got.empty() ? -1 : got.front())
                .arg(want.empty() ? -1 : want.front());
        for (size_t e = 0; e < want.size(); ++e) {
            if (std::abs(want[e] - got[e]) > 1)
                return QStringLiteral("%1 %2 has an ink edge at %3, not %4")
                    .arg(direction)
                    .arg(i)
                    .arg(got[e])
                    .arg(want[e]);
        }
        compared += int(want.size());
    }
    return std::nullopt;
}

// The ink of a page of lines and dots: the lines, compared edge by edge, and the centres of the
// dots, whose outlines each rasteriser draws its own way. A dot is a piece of ink (eight
// neighbours) no larger than `dotSide` either way; one that comes within a pixel of the page's
// border is left out, as the border cuts it and so moves its centre.
struct Marks {
    Ink lines;
    std::vector<QPointF> dots;
};

Marks marksOf(const Ink& ink, int dotSide) {
    Marks marks{ink, {}};
    std::vector<char> seen(size_t(ink.width()) * ink.height());
    std::vector<QPoint> pending, piece;
    for (int y = 0; y < ink.height(); ++y) {
        for (int x = 0; x < ink.width(); ++x) {
            if (!ink.at(x, y) || seen[size_t(y) * ink.width() + x])
                continue;
            piece.clear();
            pending = {{x, y}};
            seen[size_t(y) * ink.width() + x] = 1;
            QRect box;
            while (!pending.empty()) {
                const QPoint p = pending.back();
                pending.pop_back();
                piece.push_back(p);
                box |= QRect(p, QSize(1, 1));
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = p.x() + dx, ny = p.y() + dy;
                        if (nx < 0 || ny < 0 || nx >= ink.width() || ny >= ink.height())
                            continue;
                        char& mark = seen[size_t(ny) * ink.width() + nx];
                        if (!mark && ink.at(nx, ny)) {
                            mark = 1;
                            pending.push_back({nx, ny});
                        }
                    }
                }
            }
            if (box.width() > dotSide || box.height() > dotSide)
                continue;
            for (const QPoint p : piece)
                marks.lines.set(p.x(), p.y(), false);
            if (box.left() > 1 && box.top() > 1 && box.right() < ink.width() - 2 &&
                box.bottom() < ink.height() - 2) {
                // The centre of the pixels' squares.
                const QPointF centre =
                    std::accumulate(piece.begin(), piece.end(), QPointF()) / double(piece.size());
                marks.dots.push_back(centre + QPointF(0.5, 0.5));
            }
        }
    }
    return marks;
}

// Every dot of the exact page has one on the vector raster whose centre lies within a pixel of
// its own, and there are as many.
std::optional<QString> misplacedDot(const std::vector<QPointF>& want, std::vector<QPointF> got) {
    if (want.size() != got.size())
        return QStringLiteral("%1 dots, not %2").arg(got.size()).arg(want.size());
    for (const QPointF& centre : want) {
        const auto near = std::find_if(got.begin(), got.end(), [&](QPointF other) {
            return std::abs(other.x() - centre.x()) <= 1 && std::abs(other.y() - centre.y()) <= 1;
        });
        if (near == got.end())
            return QStringLiteral("no dot within a pixel of the one centred at %1,%2")
                .arg(centre.x(), 0, 'f', 1)
                .arg(centre.y(), 0, 'f', 1);
        got.erase(near);
    }
    return std::nullopt;
}

QRect inkBox(const Ink& ink) {
    QRect box;
    for (int y = 0; y < ink.height(); ++y) {
        for (int x = 0; x < ink.width(); ++x) {
            if (ink.at(x, y))
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

std::optional<QString> misplacedBox(const Ink& exact, const Ink& vector, int tolerance) {
    const QRect want = inkBox(exact), got = inkBox(vector);
    if (want.isEmpty() || std::abs(want.left() - got.left()) > tolerance ||
        std::abs(want.top() - got.top()) > tolerance ||
        std::abs(want.right() - got.right()) > tolerance ||
        std::abs(want.bottom() - got.bottom()) > tolerance)
        return QStringLiteral("ink spans %1,%2 to %3,%4, not %5,%6 to %7,%8")
            .arg(got.left())
            .arg(got.top())
            .arg(got.right())
            .arg(got.bottom())
            .arg(want.left())
            .arg(want.top())
            .arg(want.right())
            .arg(want.bottom());
    return std::nullopt;
}

// Lines are compared edge by edge and dots by their centres; a picture or a text, whose pixels
// each program scales or shapes its own way, and a hairline circle, which each draws with its
// own antialiasing, by the box its ink fills. Dashes are no larger than dots, so a page of
// dashed lines is compared edge by edge, every end of every dash, with no dots looked for.
enum class Compared { Marks, DashedMarks, PictureBox, TextBox, CircleBox };

struct VectorCase {
    const char* name;
    QStringList settings;
    const char* calibration = "0,0,100,100";
    Compared compared = Compared::Marks;

    friend void PrintTo(const VectorCase& design, std::ostream* out) { *out << design.name; }
};

// Black marks on a small page, with room between the edges.
const QStringList kBlackMarks = {
    "LeftBorderEd=0.8", "RightBorderEd=0.8", "BorderTopEd=0.3",        "BorderBottomEd=0.3",
    "LineSpaceEd=6",    "CaretSpaceED=4",    "ColvarColorComboBox1=0", "ColvarColorComboBox3=0",
    "MajorColor=0",     "GuideColor=0",      "GrayScaleCheck=off",     "LightenCheck=off"};
// No lines to be seen, only the picture or the text.
const QStringList kWhiteLines = {"ColvarColorComboBox1=#FFFFFF", "LeftBorderLineCheck=off",
                                 "RightBorderLineCheck=off"};
const QStringList kCorner = {"FilenameEdit1=logo.png", "BreitEd=1.2", "HochEd=0.8", "PosXEd=0.3",
                             "PosYEd=0.2"};

const VectorCase kCases[] = {
    {"RuledWithEdges", kBlackMarks + QStringList{"LiniertCheck=on"}, "1.5,0,99,101"},
    {"Checkered", kBlackMarks + QStringList{"KariertCheck=on"}},
    // Lines of white XOR a light texture come out dark, drawn as pixels on the vector page.
    {"CheckeredXorTexture",
     kBlackMarks + QStringList{"KariertCheck=on", "FilenameEdit2=texture.png", "Merge1Check=on",
                               "ColvarColorComboBox1=#FFFFFF", "ColvarColorComboBox3=#FFFFFF"}},
    {"RoundDotsWithBold", kBlackMarks + QStringList{"DotGridCheck=on", "MajorEveryEd=3"}},
    {"SquareDotsWithBold",
     kBlackMarks + QStringList{"DotGridCheck=on", "DotRoundCheck=off", "MajorEveryEd=3"}},
    {"BoldGridLines", kBlackMarks + QStringList{"KariertCheck=on", "MajorEveryEd=3"}},
    {"SecondWeightGridLines",
     kBlackMarks + QStringList{"KariertCheck=on", "MajorEveryEd=2", "Major2EveryEd=4"}},
    {"Isometric", kBlackMarks + QStringList{"IsoCheck=on"}},
    {"IsometricDots", kBlackMarks + QStringList{"IsoCheck=on", "IsoDotsCheck=on"}},
    // Flat-top hexagons at 150 dpi leave a short level piece apart from the slanted one it meets
    // on the exact page, which would be taken for a dot; the pointy lattice is the same drawing
    // turned.
    {"HexagonalPointyTop", kBlackMarks + QStringList{"HexCheck=on", "HexPointyCheck=on"}},
    {"SlantAndCornell",
     kBlackMarks + QStringList{"LiniertCheck=on", "SlantCheck=on", "SlantSpaceEd=7",
                               "CornellCheck=on", "CueWidthEd=1.5", "SummaryHeightEd=1"}},
    // A narrow, short page: the summary line runs leftwards, the cue line up.
    {"CornellEdgesAndAreasCrossed",
     kBlackMarks + QStringList{"LiniertCheck=on", "CornellCheck=on", "LeftBorderEd=3",
                               "RightBorderEd=3", "CueWidthEd=0.5", "SummaryHeightEd=3.2"}},
    {"DashedGuides",
     kBlackMarks + QStringList{"LineSpaceEd=12", "Guide1Ed=3", "Guide2Ed=6", "Guide3Ed=-3",
                               "GuideDashedCheck=on", "GuideWidthEd=0.75"},
     "0,0,100,100", Compared::DashedMarks},
    {"PictureTopLeft", kBlackMarks + kWhiteLines + kCorner + QStringList{"obenlinks=on"},
     "0,0,100,100", Compared::PictureBox},
    {"PictureTopRight", kBlackMarks + kWhiteLines + kCorner + QStringList{"obenrechts=on"},
     "0,0,100,100", Compared::PictureBox},
    {"PictureBottomLeft", kBlackMarks + kWhiteLines + kCorner + QStringList{"untenlinks=on"},
     "0,0,100,100", Compared::PictureBox},
    {"PictureBottomRight", kBlackMarks + kWhiteLines + kCorner + QStringList{"untenrechts=on"},
     "0,0,100,100", Compared::PictureBox},
    {"FreeText",
     kBlackMarks + kWhiteLines +
         QStringList{"Edit1=Lineavo Wg", "FontName=DejaVu Sans", "FontSize=12"},
     "0,0,100,100", Compared::TextBox},
    // The even page of a mirrored notebook: the hole and the edge line at the right, the
    // number at the left.
    {"PunchHoleOnAMirroredEvenPage",
     kBlackMarks + kWhiteLines +
         QStringList{"ThreeHoles108=on", "MirrorCheck=on", "PageNumberStartEd=2",
                     "LeftBorderLineCheck=on", "LeftBorderEd=1.6"},
     "1.5,0,99,101", Compared::CircleBox},
    // Round on paper, so higher than wide in pixels where the calibration shrinks the height.
    {"PunchHoleWithAShrunkenHeight", kBlackMarks + kWhiteLines + QStringList{"ThreeHoles108=on"},
     "0,0,100,80", Compared::CircleBox},
    {"PageNumberOnAMirroredEvenPage",
     kBlackMarks + kWhiteLines +
         QStringList{"PageNumberTopOutside=on", "MirrorCheck=on", "PageNumberStartEd=2",
                     "PageNumberMarginEd=0.5", "FontName=DejaVu Sans", "FontSize=12"},
     "1.5,0,99,101", Compared::TextBox},
};

constexpr int kResolutions[] = {150, 300, 600, 1200};
// Larger than the designs' bold dots, smaller than their lines between crossings.
constexpr double kLargestDotMm = 2;

class VectorGeometry : public ::testing::TestWithParam<VectorCase> {
  protected:
    QString path(const QString& name) const { return m_folder.filePath(name); }

    // The pictures the designs name, relative to the folder the program runs in.
    void writePictures() {
        QImage logo(60, 40, QImage::Format_RGB32);
        logo.fill(Qt::black);
        for (int x = 10; x < 50; ++x)
            logo.setPixel(x, 20, qRgb(255, 255, 255));
        ASSERT_TRUE(logo.save(path("logo.png")));
        QImage texture(16, 16, QImage::Format_RGB32);
        texture.fill(qRgb(0xe0, 0xe8, 0xf0));
        ASSERT_TRUE(texture.save(path("texture.png")));
    }

    QString saveDesign(const QStringList& settings) {
        QStringList words = {"save", path("design.lvo")};
        for (const QString& setting : settings) {
            const qsizetype equals = setting.indexOf(u'=');
            const QString value = setting.mid(equals + 1);
            // Picture names are relative to this test's folder.
            words << "--set"
                  << (value.endsWith(".png") ? setting.left(equals + 1) + path(value) : setting);
        }
        const ProgramRun saved = runLineavo(words);
        EXPECT_EQ(saved.exitCode, 0) << saved.err.toStdString();
        return path("design.lvo");
    }

    // The page rendered at `dotsPerInch` into `output`, with more words for the render verb.
    void render(const QString& design, int dotsPerInch, const QString& output,
                const QStringList& more = {}) {
        const QString page = QStringLiteral("%1x%2").arg(2 * dotsPerInch).arg(3 * dotsPerInch / 2);
        const ProgramRun run = runLineavo(
            QStringList{"render", design, "--output", output, "--page", page, "--dpi",
                        QString::number(dotsPerInch), "--calibration", GetParam().calibration} +
            more);
        ASSERT_EQ(run.exitCode, 0) << output.toStdString() << ": " << run.err.toStdString();
    }

    void rasterise(const QString& tool, const QStringList& arguments) {
        const ProgramRun run = runProgram(tool, arguments);
        ASSERT_EQ(run.exitCode, 0) << tool.toStdString() << ": " << run.err.toStdString();
    }

    void compare(Ink expected, Ink actual, int dotsPerInch) {
        ASSERT_LE(std::abs(actual.width() - expected.width()), 1);
        ASSERT_LE(std::abs(actual.height() - expected.height()), 1);
        const auto pixels = [dotsPerInch](double mm) { return int(mm * dotsPerInch / 25.4); };
        switch (GetParam().compared) {
        case Compared::PictureBox:
        case Compared::CircleBox:
        case Compared::TextBox: {
            const int tolerance = GetParam().compared == Compared::TextBox ? 2 : 1;
            const auto box = misplacedBox(expected, actual, tolerance);
            EXPECT_FALSE(box) << box->toStdString();
            return;
        }
        case Compared::DashedMarks:
        case Compared::Marks:
            break;
        }
        const bool dashed = GetParam().compared == Compared::DashedMarks;
        const Marks want = marksOf(expected, dashed ? 0 : pixels(kLargestDotMm));
        const Marks got = marksOf(actual, dashed ? 0 : pixels(kLargestDotMm));
        int edges = 0;
        for (const bool columns : {false, true}) {
            const auto edge = misplacedEdge(want.lines, got.lines, columns, edges);
            ASSERT_FALSE(edge) << edge->toStdString();
        }
        EXPECT_GT(edges, 0) << "no scan line compared";
        const auto dot = misplacedDot(want.dots, got.dots);
        EXPECT_FALSE(dot) << dot->toStdString();
    }

    QTemporaryDir m_folder;
};

TEST_P(VectorGeometry, PutsMarksWhereTheExactPageDoes) {
    const VectorCase& design = GetParam();
    writePictures();
    const QString designFile = saveDesign(design.settings);
    for (const int dotsPerInch : kResolutions) {
        const QString dpi = QString::number(dotsPerInch);
        const QString exact = path("exact-" + dpi + ".png");
        const QString pdf = path("vector-" + dpi + ".pdf");
        const QString svg = path("vector-" + dpi + ".svg");
        render(designFile, dotsPerInch, exact);
        render(designFile, dotsPerInch, pdf, {"--vector"});
        render(designFile, dotsPerInch, svg);
        rasterise("pdftoppm", {"-r", dpi, "-aa", "no", "-aaVector", "no", "-png", "-singlefile",
                               pdf, path("pdf-" + dpi)});
        rasterise("rsvg-convert",
                  {"-d", dpi, "-p", dpi, "-b", "white", "-o", path("svg-" + dpi + ".png"), svg});
        for (const char* raster : {"pdf", "svg"}) {
            SCOPED_TRACE(QStringLiteral("%1 at %2 dpi").arg(raster, dpi).toStdString());
            compare(Ink{QImage(exact)},
                    Ink{QImage(path(QStringLiteral("%1-%2.png").arg(raster, dpi)))}, dotsPerInch);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Designs, VectorGeometry, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
