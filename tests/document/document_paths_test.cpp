#include "document/document_paths.h"

#include <gtest/gtest.h>

namespace {

struct PathCase {
    const char* name;
    const char* pictureOrStored;
    const char* document;
    const char* expected;
};

void PrintTo(const PathCase& c, std::ostream* os) {
    *os << c.name;
}

class StoredPictureName : public ::testing::TestWithParam<PathCase> {};

TEST_P(StoredPictureName, IsBareOnlyBesideTheDocument) {
    const PathCase& c = GetParam();
    EXPECT_EQ(storedPictureName(c.pictureOrStored, c.document), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Names, StoredPictureName,
    ::testing::Values(PathCase{"SameFolder", "/home/ann/letters/logo.bmp",
                               "/home/ann/letters/paper.lvo", "logo.bmp"},
                      PathCase{"OtherFolder", "/home/ann/pictures/logo.bmp",
                               "/home/ann/letters/paper.lvo", "/home/ann/pictures/logo.bmp"},
                      PathCase{"SubFolder", "/home/ann/letters/pics/logo.bmp",
                               "/home/ann/letters/paper.lvo", "/home/ann/letters/pics/logo.bmp"},
                      PathCase{"ParentFolder", "/home/ann/logo.bmp", "/home/ann/letters/paper.lvo",
                               "/home/ann/logo.bmp"},
                      PathCase{"FoldersDifferingInCaseDiffer", "/home/ann/Letters/logo.bmp",
                               "/home/ann/letters/paper.lvo", "/home/ann/Letters/logo.bmp"},
                      PathCase{"RootFolder", "/logo.bmp", "/paper.lvo", "logo.bmp"},
                      PathCase{"BareNameThatWouldReadAsAFolderKeepsItsPath",
                               "/home/ann/letters/a:b.png", "/home/ann/letters/paper.lvo",
                               "/home/ann/letters/a:b.png"},
                      PathCase{"BareNameWithABackslashKeepsItsPath", "/home/ann/letters/a\\b.png",
                               "/home/ann/letters/paper.lvo", "/home/ann/letters/a\\b.png"},
                      PathCase{"Empty", "", "/home/ann/paper.lvo", ""}),
    [](const auto& info) { return std::string(info.param.name); });

class ResolvedPictureName : public ::testing::TestWithParam<PathCase> {};

TEST_P(ResolvedPictureName, TakesABareNameFromBesideTheDocument) {
    const PathCase& c = GetParam();
    EXPECT_EQ(resolvedPictureName(c.pictureOrStored, c.document), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ResolvedPictureName,
    ::testing::Values(
        PathCase{"BareName", "logo.bmp", "/media/copy/paper.lvo", "/media/copy/logo.bmp"},
        PathCase{"BareNameInRootFolder", "logo.bmp", "/paper.lvo", "/logo.bmp"},
        PathCase{"AbsolutePathStays", "/home/ann/pictures/logo.bmp", "/media/copy/paper.lvo",
                 "/home/ann/pictures/logo.bmp"},
        PathCase{"WindowsPathHasAFolder", "C:\\Letters\\logo.bmp", "/media/copy/paper.lvo",
                 "C:\\Letters\\logo.bmp"},
        PathCase{"WindowsRelativePathHasAFolder", "pics\\logo.bmp", "/media/copy/paper.lvo",
                 "pics\\logo.bmp"},
        PathCase{"DriveColonIsAFolder", "A:logo.bmp", "/media/copy/paper.lvo", "A:logo.bmp"},
        PathCase{"EmptyStaysEmpty", "", "/media/copy/paper.lvo", ""}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
