#include "document/document_file.h"

#include "document/document_record.h"
#include "picture/picture_files.h"
#include "settings/paper_settings.h"
#include "settings/setting_names.h"
#include "support/succeeds.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <functional>
#include <limits>

namespace {

// The document of a design just reset by New, field by field.
// clang-format off
const QByteArray kNewDesign = QByteArray::fromHex(
    "01"                // ruled
    "0000000000002240"  // LineSpaceEd 9
    "01"                // without first line
    "01"                // without last line
    "0000000000001440"  // CaretSpaceED 5
    "c0c0c000"          // line colour silver
    "000000000000e83f"  // LineWidthEd 0.75
    "0000000000000440"  // LeftBorderEd 2.5
    "01"                // left edge line
    "00"                // no left fill
    "0000000000000440"  // RightBorderEd 2.5
    "01"                // right edge line
    "00"                // no right fill
    "80808000"          // edge line colour gray
    "000000000000f83f"  // RRLineWidthED 1.5
    "00"                // picture name
    "00"                // top left
    "000000000000e03f"  // PosXEd 0.5
    "000000000000e03f"  // PosYEd 0.5
    "000000000000f83f"  // BreitEd 1.5
    "000000000000f83f"  // HochEd 1.5
    "01"                // keep the picture's aspect
    "000000000000e03f"  // BorderTopEd 0.5
    "000000000000e03f"  // BorderBottomEd 0.5
    "00"                // texture name
    "0000000000001440"  // BreitEd2 5
    "0000000000001440"  // HochEd2 5
    "01"                // keep the texture's aspect
    "01"                // grey
    "01"                // lighten
    "00"                // no combination
    "00"                // strong lightening off
    "00"                // free text
    "05417269616c"      // "Arial"
    "00000000"          // font colour black
    "00"                // ANSI
    "09000000"          // 9 points
    "00");              // default pitch
// clang-format on

// A record of New's settings, to change a field of.
DocumentRecord newRecord() {
    return *decodeDocumentRecord(kNewDesign);
}

// Everything a user can see of a design, twins, zoom and font style included.
std::string designState(PaperSettings& s) {
    QJsonObject json = settingsToJson(s);
    for (const SettingDescription& d : settingTable()) {
        if (d.inchTwin)
            json.insert(d.inchTwin, s.inchTwin(d.setting).text());
    }
    json.insert("ZoomEd", s.ZoomEd.text());
    json.insert("FontStyle", QString("%1%2%3%4")
                                 .arg(s.font().bold)
                                 .arg(s.font().italic)
                                 .arg(s.font().underline)
                                 .arg(s.font().strikeOut));
    return QJsonDocument(json).toJson().toStdString();
}

// Counts every change signal of a design.
class ChangeCounter {
  public:
    explicit ChangeCounter(PaperSettings& s) {
        const auto count = [this] { ++changes; };
        QObject::connect(&s, &PaperSettings::changed, count);
        for (const SettingDescription& d : settingTable()) {
            if (d.kind == SettingKind::Real)
                QObject::connect(&s.field(d.setting), &RealField::textChanged, count);
        }
    }
    int changes = 0;
};

// A design in which every setting differs from New, with texts in all four strings.
void makeUnusual(PaperSettings& s, const QString& pictureFolder) {
    s.setPaperKind(PaperKind::DotGrid);
    for (const SettingDescription& d : settingTable()) {
        if (d.kind == SettingKind::Real)
            s.field(d.setting).setValue(s.field(d.setting).value() * 1.7 + 1.23);
        else if (d.kind == SettingKind::Check)
            s.setFlag(d.setting, !s.flag(d.setting));
    }
    s.setColour(Setting::ColvarColorComboBox1, colorValueFromRgb(10, 20, 30));
    s.setColour(Setting::ColvarColorComboBox3, kSystemWindowTextColor);
    s.setColour(Setting::Major2Color, colorValueFromRgb(1, 2, 3));
    s.setText(Setting::FilenameEdit1, pictureFolder + "/logo.bmp");
    s.setText(Setting::FilenameEdit2, "/usr/share/textures/Paper Grün.png");
    s.setText(Setting::Edit1, QString::fromUtf8("Grüße aus Köln – 5 €"));
    s.setPictureCorner(PictureCorner::untenrechts);
    s.setMergeMode(MergeMode::Merge2Check);
    FreeTextFont font = s.font();
    font.name = "Times New Roman";
    font.color = colorValueFromRgb(200, 0, 0);
    font.charset = 238;
    font.sizePoints = 14;
    font.pitch = FreeTextFont::VariablePitch;
    s.setFont(font);
}

// The message of a failure, or a mark that there was none.
QString failure(const Failure& failure) {
    return failure.failed() ? failure.message() : QStringLiteral("(no failure)");
}

class DocumentFile : public ::testing::Test {
  protected:
    QString path(const QString& name) const { return m_folder.filePath(name); }

    QByteArray saved(const PaperSettings& s, const QString& name = "paper.lvo") {
        const QString file = path(name);
        EXPECT_SUCCEEDS(saveDocument(s, file));
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }

    QString written(const QByteArray& bytes, const QString& name = "given.lvo") {
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }

    // Opens `bytes` as a document into a design that has New's settings.
    void open(const QByteArray& bytes, PaperSettings& s) {
        s.resetToNew();
        ASSERT_SUCCEEDS(openDocument(s, written(bytes)));
    }

    QTemporaryDir m_folder;
};

TEST_F(DocumentFile, OfANewDesignHasTheKnownBytes) {
    PaperSettings s;
    makeUnusual(s, "/p");
    s.resetToNew();
    EXPECT_EQ(saved(s).toHex(' '), kNewDesign.toHex(' '));
    EXPECT_EQ(kNewDesign.size(), 153);
}

TEST_F(DocumentFile, RoundTripsEverySetting) {
    PaperSettings original;
    makeUnusual(original, m_folder.path());
    const QByteArray bytes = saved(original);

    PaperSettings reopened;
    ASSERT_SUCCEEDS(openDocument(reopened, path("paper.lvo")));
    EXPECT_EQ(designState(reopened), designState(original));
    EXPECT_EQ(saved(reopened, "again.lvo"), bytes) << "saving the same design twice";
}

TEST_F(DocumentFile, KeepsZoomAndFontStyleThatItDoesNotStore) {
    PaperSettings s;
    s.ZoomEd.setValue(340);
    FreeTextFont font = s.font();
    font.bold = true;
    font.strikeOut = true;
    s.setFont(font);
    open(kNewDesign, s);
    EXPECT_EQ(s.ZoomEd.text(), "340");
    EXPECT_TRUE(s.font().bold);
    EXPECT_TRUE(s.font().strikeOut);
}

// A file that ends early must change nothing at all: not a field, not a twin, no signal.
TEST_F(DocumentFile, CutShortAtAnyLengthChangesNothing) {
    PaperSettings source;
    makeUnusual(source, "/elsewhere");
    const QByteArray full = saved(source);
    ASSERT_GT(full.size(), 200);

    PaperSettings s;
    s.inchTwin(Setting::LineSpaceEd)
        .setText("7.77"); // a twin that no change of its field has rewritten
    const std::string before = designState(s);
    ChangeCounter counter(s);
    // Cut inside the main fields or the block's tag, the file ends early; cut after the tag,
    // the block is damaged. Cut just before the tag, it is a design from before the block.
    const qsizetype tag = full.indexOf(QByteArray(kExtensionTag, 4));
    ASSERT_GT(tag, 0);
    for (int length = 0; length < full.size(); ++length) {
        if (length == tag)
            continue;
        const QString file = written(full.left(length));
        EXPECT_TRUE(failure(openDocument(s, file))
                        .startsWith(length < tag + 4 ? DocumentMessages::readBeyondEnd
                                                     : DocumentMessages::damagedExtension))
            << length;
    }
    EXPECT_EQ(designState(s), before);
    EXPECT_EQ(counter.changes, 0);
    EXPECT_SUCCEEDS(openDocument(s, written(full)));
}

TEST_F(DocumentFile, KeepsTheNewSettingsInABlockOnlyWhenTheyAreUsed) {
    PaperSettings s;
    s.setPaperKind(PaperKind::Checkered);
    EXPECT_EQ(saved(s).size(), 153) << "checkered paper needs no block";

    s.setPaperKind(PaperKind::DotGrid);
    const QByteArray dots = saved(s);
    EXPECT_EQ(dots[0], 0) << "a dot grid is checkered paper where the block is not read";
    EXPECT_EQ(dots.mid(153, 4), QByteArray(kExtensionTag, 4));
    PaperSettings reopened;
    ASSERT_SUCCEEDS(openDocument(reopened, path("paper.lvo")));
    EXPECT_EQ(reopened.paperKind(), PaperKind::DotGrid);

    // A design from before the block opens with none of the new settings.
    reopened.field(Setting::MajorEveryEd).setValue(5);
    open(kNewDesign, reopened);
    EXPECT_EQ(reopened.field(Setting::MajorEveryEd).value(), 0);
}

// A block's header: its version and length.
QByteArray blockHeader(quint16 version, quint32 length) {
    QByteArray header(QByteArray(kExtensionTag, 4) + QByteArray(6, 0));
    qToLittleEndian(version, header.data() + 4);
    qToLittleEndian(length, header.data() + 6);
    return header;
}

// Main fields followed by blocks of `version`, one for each of `fields`, each nested in the
// one before it, the innermost ending in `tail`.
QByteArray withBlocks(quint16 version, const QList<QByteArray>& fields,
                      const QByteArray& tail = {}) {
    QByteArray inner = tail;
    for (qsizetype g = fields.size() - 1; g >= 0; --g) {
        const QByteArray content = fields[g] + inner;
        inner = blockHeader(version, quint32(content.size())) + content;
    }
    return kNewDesign + inner;
}

// `bytes` with the check sum of its blocks written at `at`, over the bytes before it.
QByteArray sealed(QByteArray bytes, qsizetype at) {
    const quint32 sum = picture_files::crc32(bytes.mid(kNewDesign.size(), at - kNewDesign.size()));
    qToLittleEndian(sum, bytes.data() + at);
    return bytes;
}

// The fields of each generation of settings in `saved`, a document with all of them: each
// is what a document of one generation more than the one before adds besides a header.
QList<QByteArray> generationFields(const QByteArray& saved) {
    const DocumentRecord all = *decodeDocumentRecord(saved);
    QList<QByteArray> fields;
    qsizetype before = kNewDesign.size();
    for (int generation = 1; generation <= kExtensionGenerations; ++generation) {
        DocumentRecord record = all;
        record.extension.resize(generation);
        // With every generation, the check sum follows.
        const QByteArray older = generation < kExtensionGenerations
                                     ? encodeDocumentRecord(record)
                                     : saved.chopped(kExtensionHeaderSize + kChecksumSize);
        fields.append(older.right(older.size() - before - kExtensionHeaderSize));
        before = older.size();
    }
    return fields;
}

// A design that needs a block keeps every generation, each nested in the one before, and the
// check sum last, so that a program that knows fewer generations reads its own and skips the
// rest by its length; the first generation finds there only kinds of paper that it knows.
TEST_F(DocumentFile, WritesEveryGenerationNestedWithTheCheckSumLast) {
    struct Row {
        const char* name;
        std::function<void(PaperSettings&)> change;
        PaperKind olderKind; // as a program that reads only the first generation opens it
    };
    const Row rows[] = {
        {"FirstGenerationOnly",
         [](PaperSettings& s) { s.field(Setting::GuideWidthEd).setValue(2); }, PaperKind::Ruled},
        {"CornellNotes", [](PaperSettings& s) { s.setFlag(Setting::CornellCheck, true); },
         PaperKind::Ruled},
        {"SecondWeightOnADotGrid",
         [](PaperSettings& s) {
             s.setPaperKind(PaperKind::DotGrid);
             s.field(Setting::Major2EveryEd).setValue(10);
         },
         PaperKind::DotGrid},
        {"Isometric", [](PaperSettings& s) { s.setPaperKind(PaperKind::Isometric); },
         PaperKind::Checkered},
        {"MirroredNotebook", [](PaperSettings& s) { s.setFlag(Setting::MirrorCheck, true); },
         PaperKind::Ruled},
    };
    for (const Row& row : rows) {
        PaperSettings s;
        row.change(s);
        const QByteArray bytes = saved(s);
        const QList<QByteArray> fields = generationFields(bytes);
        qsizetype at = kNewDesign.size();
        for (int generation = 1; generation <= kChecksumGeneration; ++generation) {
            EXPECT_EQ(bytes.mid(at, kExtensionHeaderSize),
                      blockHeader(kChecksumGeneration, bytes.size() - at - kExtensionHeaderSize))
                << row.name << ", generation " << generation;
            at += kExtensionHeaderSize;
            if (generation <= kExtensionGenerations)
                at += fields[generation - 1].size();
        }
        EXPECT_EQ(at + 4, bytes.size()) << row.name;
        EXPECT_EQ(bytes, sealed(bytes, at)) << row.name << ": the check sum";
        PaperSettings reopened;
        ASSERT_SUCCEEDS(openDocument(reopened, path("paper.lvo"))) << row.name;
        EXPECT_EQ(designState(reopened), designState(s)) << row.name;

        EXPECT_EQ(int(fields[0][0]), int(row.olderKind)) << row.name << ": the first field";
        ASSERT_SUCCEEDS(openDocument(reopened, written(withBlocks(1, {fields[0]})))) << row.name;
        EXPECT_EQ(reopened.paperKind(), row.olderKind) << row.name;
        EXPECT_FALSE(reopened.flag(Setting::CornellCheck)) << row.name;
        EXPECT_FALSE(reopened.flag(Setting::MirrorCheck)) << row.name;
    }
}

// Blocks as older versions wrote them open as before; a generation this version does not know
// is skipped by its length; anything else after the main fields is refused.
TEST_F(DocumentFile, RefusesADamagedBlockAndReadsALaterOneAsFarAsKnown) {
    PaperSettings dots;
    dots.setPaperKind(PaperKind::DotGrid);
    dots.field(Setting::DotSizeEd).setValue(4);
    const QList<QByteArray> f = generationFields(saved(dots));
    const QByteArray first = f[0];
    const quint32 size = quint32(first.size());
    const QByteArray sum(4, '\0');
    const QByteArray sealedAll = withBlocks(4, {f[0], f[1], f[2], sum});
    const QByteArray later = withBlocks(5, {f[0], f[1], f[2], sum, "zz"});
    const qsizetype laterSum = later.size() - 2 - kExtensionHeaderSize - 4;
    struct Row {
        const char* name;
        QByteArray bytes;
        bool opens;
    };
    const Row rows[] = {
        {"NoBlockButOtherBytes", kNewDesign + QByteArray(5000, 'x'), false},
        {"TagAlone", kNewDesign + QByteArray(kExtensionTag, 4), false},
        {"HeaderCut", withBlocks(1, {first}).left(153 + 7), false},
        {"LengthPastTheEnd", kNewDesign + blockHeader(1, size + 1) + first, false},
        {"FieldsCut", withBlocks(1, {first.chopped(1)}), false},
        {"VersionZero", withBlocks(0, {first}), false},
        {"SameVersionLonger", withBlocks(1, {first}, "zz"), false},
        {"BytesAfterTheBlock", withBlocks(1, {first}) + "zz", false},
        {"KnownVersionWithoutItsGeneration", withBlocks(2, {first}, "zz"), false},
        {"SecondGeneration", withBlocks(2, {first, f[1]}), true},
        {"ThirdGeneration", withBlocks(3, {first, f[1], f[2]}), true},
        {"ThirdGenerationLonger", withBlocks(3, {first, f[1], f[2]}, "zz"), false},
        {"SecondGenerationCut", withBlocks(2, {first, f[1].chopped(1)}), false},
        {"SecondGenerationOlderThanItself",
         kNewDesign + blockHeader(2, size + 10 + f[1].size()) + first +
             blockHeader(1, f[1].size()) + f[1],
         false},
        {"CheckSummed", sealed(sealedAll, sealedAll.size() - 4), true},
        {"CheckSumWrong", sealedAll, false},
        {"LaterGenerationSkipped", sealed(later, laterSum), true},
        {"LaterGenerationNotCheckSummed", later, false},
        {"LaterGenerationLonger", sealed(later, laterSum) + "z", false},
    };
    for (const Row& row : rows) {
        PaperSettings s;
        const std::string before = designState(s);
        const Failure error = openDocument(s, written(row.bytes));
        if (row.opens) {
            EXPECT_SUCCEEDS(error) << row.name;
            EXPECT_EQ(s.paperKind(), PaperKind::DotGrid) << row.name;
            EXPECT_EQ(s.field(Setting::DotSizeEd).value(), 4) << row.name;
        } else {
            EXPECT_TRUE(failure(error).startsWith(DocumentMessages::damagedExtension)) << row.name;
            EXPECT_EQ(designState(s), before) << row.name;
        }
    }
}

// Whatever byte of a block is changed, added or taken away, the document is refused rather
// than opened as another design.
TEST_F(DocumentFile, RefusesEveryDamageToItsBlock) {
    PaperSettings source;
    makeUnusual(source, "/elsewhere");
    source.setFlag(Setting::MirrorCheck, true);
    const QByteArray full = saved(source);
    const qsizetype first = full.indexOf(QByteArray(kExtensionTag, 4));
    ASSERT_GT(first, 0);
    struct Row {
        const char* name;
        qsizetype variants;
        std::function<QByteArray(qsizetype)> damaged;
    };
    const qsizetype blocks = full.size() - first;
    const Row rows[] = {
        {"BitFlipped", blocks * 8,
         [&](qsizetype i) {
             QByteArray b = full;
             b[first + i / 8] = char(b[first + i / 8] ^ (1 << (i % 8)));
             return b;
         }},
        {"ByteInserted", blocks + 1,
         [&](qsizetype i) { return QByteArray(full).insert(first + i, '\x01'); }},
        {"ByteRemoved", blocks, [&](qsizetype i) { return QByteArray(full).remove(first + i, 1); }},
    };
    for (const Row& row : rows) {
        for (qsizetype i = 0; i < row.variants; ++i) {
            PaperSettings s;
            EXPECT_TRUE(failure(applyDocument(s, row.damaged(i), path("paper.lvo")))
                            .startsWith(DocumentMessages::damagedExtension))
                << row.name << " " << i;
        }
    }
}

TEST_F(DocumentFile, ReadsAnyFlagByteButZeroAsOn) {
    QByteArray bytes = kNewDesign;
    bytes[0] = 2;            // paper kind
    bytes[40] = char(0xff);  // no left fill
    bytes[50] = 7;           // no right fill
    bytes[135] = char(0x80); // strong lightening
    PaperSettings s;
    open(bytes, s);
    EXPECT_EQ(s.paperKind(), PaperKind::Ruled);
    EXPECT_TRUE(s.flag(Setting::NoLeftBorderFillCheck));
    EXPECT_TRUE(s.flag(Setting::NoRightBorderFillCheck));
    EXPECT_TRUE(s.flag(Setting::StrongLightCheck));
    bytes[0] = 0;
    open(bytes, s);
    EXPECT_EQ(s.paperKind(), PaperKind::Checkered);
}

TEST_F(DocumentFile, IgnoresRadioNumbersOutOfRange) {
    for (const quint8 value : {4, 7, 255}) {
        DocumentRecord record = newRecord();
        record[Setting::obenlinks] = qint64(value);
        record[Setting::NOMergeCheck] = qint64(value - 1);
        PaperSettings s;
        s.setPictureCorner(PictureCorner::obenrechts);
        s.setMergeMode(MergeMode::Merge1Check);
        ASSERT_SUCCEEDS(openDocument(s, written(encodeDocumentRecord(record))));
        EXPECT_EQ(s.pictureCorner(), PictureCorner::obenrechts) << int(value);
        EXPECT_EQ(s.mergeMode(), MergeMode::Merge1Check) << int(value);
    }
    DocumentRecord record = newRecord();
    record[Setting::obenlinks] = qint64(3);
    record[Setting::NOMergeCheck] = qint64(2);
    PaperSettings s;
    open(encodeDocumentRecord(record), s);
    EXPECT_EQ(s.pictureCorner(), PictureCorner::untenrechts);
    EXPECT_EQ(s.mergeMode(), MergeMode::Merge2Check);
}

struct RealCase {
    const char* name;
    Setting setting;
    double stored;
    const char* shown;
};

void PrintTo(const RealCase& c, std::ostream* os) {
    *os << c.name;
}

class DocumentReals : public DocumentFile, public ::testing::WithParamInterface<RealCase> {};

TEST_P(DocumentReals, AreClampedAndRoundedAsTheFieldDoes) {
    const RealCase& c = GetParam();
    DocumentRecord record = newRecord();
    record[c.setting] = c.stored;
    PaperSettings s;
    open(encodeDocumentRecord(record), s);
    EXPECT_EQ(s.field(c.setting).text(), c.shown);
}

constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Values, DocumentReals,
    ::testing::Values(RealCase{"BelowMinimum", Setting::LineSpaceEd, 0.123, "1.00"},
                      RealCase{"ThreeDecimals", Setting::LineSpaceEd, 9.456, "9.46"},
                      RealCase{"AboveMaximum", Setting::BorderTopEd, 1e308, "100.00"},
                      RealCase{"NotANumber", Setting::CaretSpaceED, std::nan(""), "1.00"},
                      RealCase{"Infinity", Setting::LeftBorderEd, kInf, "10000.00"},
                      RealCase{"MinusInfinity", Setting::LineWidthEd, -kInf, "0.01"},
                      RealCase{"NegativeZero", Setting::BorderBottomEd, -0.0, "0.00"},
                      RealCase{"Denormal", Setting::PosXEd, 4.9e-324, "0.01"},
                      RealCase{"Negative", Setting::HochEd2, -5, "1.00"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DocumentFile, RewritesTheTwinsOfTheFieldsItSets) {
    DocumentRecord record = newRecord();
    record[Setting::LeftBorderEd] = 30.0;
    record[Setting::LineSpaceEd] = 25.4;
    PaperSettings s;
    open(encodeDocumentRecord(record), s);
    EXPECT_EQ(s.inchTwin(Setting::LeftBorderEd).text(), "10.00");
    EXPECT_EQ(s.inchTwin(Setting::LineSpaceEd).text(), "1.00");
}

TEST_F(DocumentFile, KeepsSystemColours) {
    PaperSettings s; // its font starts in the system's window text colour
    s.setColour(Setting::ColvarColorComboBox1, ColorValue(0x8000000f));
    const QByteArray bytes = saved(s);
    EXPECT_EQ(bytes.mid(19, 4), QByteArray::fromHex("0f000080"));
    EXPECT_EQ(bytes.mid(143, 4), QByteArray::fromHex("08000080"));
    PaperSettings reopened;
    reopened.resetToNew();
    ASSERT_SUCCEEDS(openDocument(reopened, path("paper.lvo")));
    EXPECT_EQ(reopened.colour(Setting::ColvarColorComboBox1), ColorValue(0x8000000f));
    EXPECT_EQ(reopened.font().color, kSystemWindowTextColor);
}

TEST_F(DocumentFile, FontNameEmptyKeepsTheNameAndLongIsCut) {
    DocumentRecord record = newRecord();
    record[Setting::FontName] = QByteArray();
    PaperSettings s;
    FreeTextFont font = s.font();
    font.name = "Courier New";
    s.setFont(font);
    ASSERT_SUCCEEDS(openDocument(s, written(encodeDocumentRecord(record))));
    EXPECT_EQ(s.font().name, "Courier New");

    record[Setting::FontName] = QByteArray("A Font Whose Name Is Longer Than Thirty-One Letters");
    ASSERT_SUCCEEDS(openDocument(s, written(encodeDocumentRecord(record))));
    EXPECT_EQ(s.font().name, "A Font Whose Name Is Longer Tha");
}

TEST_F(DocumentFile, StoresPicturesBesideItWithBareNames) {
    PaperSettings s;
    s.setText(Setting::FilenameEdit1, path("logo.bmp"));
    s.setText(Setting::FilenameEdit2, "/somewhere/else/texture.bmp");
    const QByteArray bytes = saved(s);
    EXPECT_EQ(bytes.mid(63, 9), QByteArray("\x08logo.bmp"));
    EXPECT_EQ(bytes.mid(122, 28), QByteArray("\x1b/somewhere/else/texture.bmp"));

    // The whole folder moved: the picture beside it moves along, the other stays.
    QTemporaryDir copy;
    const QString moved = copy.filePath("paper.lvo");
    ASSERT_TRUE(QFile::copy(path("paper.lvo"), moved));
    PaperSettings reopened;
    ASSERT_SUCCEEDS(openDocument(reopened, moved));
    EXPECT_EQ(reopened.text(Setting::FilenameEdit1), copy.filePath("logo.bmp"));
    EXPECT_EQ(reopened.text(Setting::FilenameEdit2), "/somewhere/else/texture.bmp");
}

TEST_F(DocumentFile, OpensNamesWrittenOnWindows) {
    DocumentRecord record = newRecord();
    record[Setting::FilenameEdit1] = QByteArray("logo.bmp");
    record[Setting::FilenameEdit2] = QByteArray("C:\\Letters\\paper.bmp");
    PaperSettings s;
    open(encodeDocumentRecord(record), s);
    EXPECT_EQ(s.text(Setting::FilenameEdit1), path("logo.bmp"));
    EXPECT_EQ(s.text(Setting::FilenameEdit2), "C:\\Letters\\paper.bmp");
}

TEST_F(DocumentFile, HoldsTextsInTheWesternCodePage) {
    DocumentRecord record = newRecord();
    record[Setting::Edit1] = QByteArray("Gr\xfc\xdf"
                                        "e \x80");
    PaperSettings s;
    open(encodeDocumentRecord(record), s);
    EXPECT_EQ(s.text(Setting::Edit1), QString::fromUtf8("Grüße €"));
    record[Setting::Edit1] = QByteArray(255, 'w');
    open(encodeDocumentRecord(record), s);
    EXPECT_EQ(s.text(Setting::Edit1).size(), 255);
}

struct RefusedText {
    const char* name;
    Setting field;
    QString text;
    const char* messagePart;
};

void PrintTo(const RefusedText& c, std::ostream* os) {
    *os << c.name;
}

class DocumentRefusesText : public DocumentFile,
                            public ::testing::WithParamInterface<RefusedText> {};

// A text that cannot be stored whole is refused, and the file that was there stays.
TEST_P(DocumentRefusesText, AndLeavesTheOldFile) {
    const RefusedText& c = GetParam();
    const QString file = written("old contents", "paper.lvo");
    PaperSettings s;
    s.setText(c.field, c.text);
    const Failure error = saveDocument(s, file);
    ASSERT_TRUE(error.failed());
    EXPECT_TRUE(error.message().contains(c.messagePart)) << error.message().toStdString();
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "old contents");
    EXPECT_EQ(QDir(m_folder.path()).entryList(QDir::Files), QStringList{"paper.lvo"});
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DocumentRefusesText,
    ::testing::Values(RefusedText{"LongFreeText", Setting::Edit1, QString(256, u'x'),
                                  "free text is 256"},
                      RefusedText{"LongPictureName", Setting::FilenameEdit1,
                                  "/p/" + QString(300, u'n'), "picture file name"},
                      RefusedText{"FreeTextOutsideTheCodePage", Setting::Edit1,
                                  QString::fromUtf8("Łódź"), "cannot hold"},
                      RefusedText{"TextureNameOutsideTheCodePage", Setting::FilenameEdit2,
                                  QString::fromUtf8("/p/日本.png"), "texture file name"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DocumentFile, RefusesAFontNameOutsideTheCodePage) {
    PaperSettings s;
    FreeTextFont font = s.font();
    font.name = QString::fromUtf8("Noto Sans 日本");
    s.setFont(font);
    const Failure error = saveDocument(s, path("paper.lvo"));
    ASSERT_TRUE(error.failed());
    EXPECT_TRUE(error.message().contains("font name"));
    EXPECT_FALSE(QFile::exists(path("paper.lvo")));
}

TEST_F(DocumentFile, OpensOnlyRegularFiles) {
    ASSERT_TRUE(QDir(m_folder.path()).mkdir("folder.lvo"));
    ASSERT_EQ(mkfifo(path("fifo.lvo").toLocal8Bit().constData(), 0600), 0);
    PaperSettings s;
    s.field(Setting::LineSpaceEd).setValue(33);
    const std::string before = designState(s);
    for (const QString& file :
         {path("folder.lvo"), path("fifo.lvo"), path("missing.lvo"), QString()})
        EXPECT_TRUE(failure(openDocument(s, file)).startsWith(DocumentMessages::couldNotOpen))
            << file.toStdString();
    EXPECT_EQ(designState(s), before);
}

TEST_F(DocumentFile, DoesNotReplaceAFolderOrAFifo) {
    ASSERT_TRUE(QDir(m_folder.path()).mkdir("folder.lvo"));
    ASSERT_EQ(mkfifo(path("fifo.lvo").toLocal8Bit().constData(), 0600), 0);
    const PaperSettings s;
    for (const QString& file : {path("folder.lvo"), path("fifo.lvo"), path("missing/paper.lvo")})
        EXPECT_TRUE(failure(saveDocument(s, file)).startsWith(DocumentMessages::couldNotCreate))
            << file.toStdString();
    EXPECT_TRUE(QFileInfo(path("folder.lvo")).isDir());
    struct stat info {};
    ASSERT_EQ(stat(path("fifo.lvo").toLocal8Bit().constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

// A message read later, or by a script, still says which file failed and what is wrong with it.
TEST_F(DocumentFile, EveryFailureNamesTheFileAndSaysWhatIsWrong) {
    ASSERT_TRUE(QDir(m_folder.path()).mkdir("folder.lvo"));
    PaperSettings tooLong;
    tooLong.setText(Setting::Edit1, QString(300, u'x'));
    struct Row {
        const char* name;
        std::function<Failure(PaperSettings&)> run;
        QString file;
        QString begins; // the message as it always began
        const char* says;
    };
    const Row rows[] = {
        {"OpenMissing", [&](PaperSettings& s) { return openDocument(s, path("missing.lvo")); },
         path("missing.lvo"), DocumentMessages::couldNotOpen, "does not exist"},
        {"OpenFolder", [&](PaperSettings& s) { return openDocument(s, path("folder.lvo")); },
         path("folder.lvo"), DocumentMessages::couldNotOpen, "is a folder"},
        {"OpenJunk",
         [&](PaperSettings& s) { return openDocument(s, written("junk\r\n", "junk.lvo")); },
         path("junk.lvo"), DocumentMessages::readBeyondEnd,
         "not a Lineavo design, or it is cut short"},
        {"OpenDamagedBlock",
         [&](PaperSettings& s) {
             return openDocument(s, written(kNewDesign + QByteArray(kExtensionTag, 4), "new.lvo"));
         },
         path("new.lvo"), DocumentMessages::damagedExtension, "The file is"},
        {"SaveOverFolder", [&](PaperSettings& s) { return saveDocument(s, path("folder.lvo")); },
         path("folder.lvo"), DocumentMessages::couldNotCreate, "is a folder"},
        {"SaveIntoMissingFolder",
         [&](PaperSettings& s) { return saveDocument(s, path("none/paper.lvo")); },
         path("none/paper.lvo"), DocumentMessages::couldNotCreate, "folder that does not exist"},
        {"SaveTooLongText", [&](PaperSettings&) { return saveDocument(tooLong, path("long.lvo")); },
         path("long.lvo"), "The free text is 300", "was not saved as"},
    };
    for (const Row& row : rows) {
        PaperSettings s;
        const QString message = failure(row.run(s));
        EXPECT_TRUE(message.startsWith(row.begins)) << row.name << ": " << message.toStdString();
        EXPECT_TRUE(message.contains('"' + row.file + '"'))
            << row.name << ": " << message.toStdString();
        EXPECT_TRUE(message.contains(row.says)) << row.name << ": " << message.toStdString();
        EXPECT_TRUE(message.endsWith('.')) << row.name << ": " << message.toStdString();
    }
}

TEST_F(DocumentFile, ReplacesAnExistingDocument) {
    written(QByteArray(400, 'z'), "paper.lvo");
    PaperSettings s;
    s.resetToNew();
    EXPECT_EQ(saved(s), kNewDesign);
}

// Real documents: the file of a new design, and malformed files, each of which must fail
// cleanly and change nothing.
TEST(DocumentData, NewDesignFileHasTheKnownBytes) {
    QFile file(LINEAVO_TEST_DATA_DIR "/new-design.lvo");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), kNewDesign);
}

TEST(DocumentData, OldFilesAreSavedAgainByteForByte) {
    const QDir data(LINEAVO_TEST_DATA_DIR);
    for (const QString& name : data.entryList({"*.lvo"}, QDir::Files)) {
        QFile file(data.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray old = file.readAll();
        PaperSettings s;
        ASSERT_SUCCEEDS(applyDocument(s, old, file.fileName()));
        QByteArray again;
        ASSERT_SUCCEEDS(encodeDocument(s, file.fileName(), again));
        EXPECT_EQ(again.toHex(' '), old.toHex(' ')) << name.toStdString();
    }
}

TEST(DocumentData, CheckeredDesignOpensWithItsValues) {
    PaperSettings s;
    ASSERT_SUCCEEDS(openDocument(s, LINEAVO_TEST_DATA_DIR "/checkered-logo.lvo"));
    EXPECT_EQ(s.paperKind(), PaperKind::Checkered);
    EXPECT_EQ(s.field(Setting::CaretSpaceED).text(), "4.00");
    EXPECT_EQ(s.colour(Setting::ColvarColorComboBox1), colorValueFromRgb(0x80, 0x80, 0xff));
    EXPECT_EQ(s.pictureCorner(), PictureCorner::obenrechts);
    EXPECT_EQ(s.text(Setting::FilenameEdit1), LINEAVO_TEST_DATA_DIR "/logo.png");
    EXPECT_EQ(s.text(Setting::Edit1), QString::fromUtf8("Notizen – Seite"));
}

TEST(DocumentData, MalformedFilesFailCleanly) {
    const QDir bad(LINEAVO_TEST_DATA_DIR "/bad");
    const QStringList files = bad.entryList(QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    PaperSettings s;
    const std::string before = designState(s);
    for (const QString& name : files) {
        const QString message = failure(openDocument(s, bad.filePath(name)));
        EXPECT_TRUE(message.startsWith(DocumentMessages::readBeyondEnd) ||
                    message.startsWith(DocumentMessages::damagedExtension))
            << name.toStdString() << ": " << message.toStdString();
    }
    EXPECT_EQ(designState(s), before);
}

} // namespace
