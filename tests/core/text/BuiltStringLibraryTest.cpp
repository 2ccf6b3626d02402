// The string libraries that the build makes from the resource scripts, read back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "core/text/Cp1250.h"
#include "core/text/PeImage.h"
#include "core/text/PeStringTable.h"
#include "core/text/StringIds.h"
#include "core/text/StringLibrary.h"

namespace telvoran {
namespace {

namespace fs = std::filesystem;

const fs::path kBuildDirectory = TELVORAN_BUILD_DIR;
const fs::path kPolishLibrary = kBuildDirectory / "Telvoran.dll";
const fs::path kEnglishLibrary = kBuildDirectory / "lang" / "en" / "Telvoran.dll";

std::vector<unsigned char> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

// The printf conversions in `pattern`: how many take an integer and how many anything else.
struct Conversions {
  int integer = 0;
  int other = 0;
};

Conversions CountConversions(std::string_view pattern) {
  Conversions found;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '%') continue;
    if (i + 1 < pattern.size() && pattern[i + 1] == '%') {
      ++i;
      continue;
    }
    std::size_t end = pattern.find_first_not_of("-+ #0123456789", i + 1);
    const bool isInteger =
        end != std::string_view::npos && (pattern[end] == 'd' || pattern[end] == 'i');
    ++(isInteger ? found.integer : found.other);
    i = end == std::string_view::npos ? pattern.size() : end;
  }
  return found;
}

class BuiltLibrary : public ::testing::TestWithParam<fs::path> {};

INSTANTIATE_TEST_SUITE_P(PolishAndEnglish, BuiltLibrary,
                         ::testing::Values(kPolishLibrary, kEnglishLibrary));

TEST_P(BuiltLibrary, IsAResourceOnlyDll) {
  const std::vector<unsigned char> bytes = ReadFile(GetParam());
  const std::optional<PeImage> image = PeImage::Parse(bytes);
  ASSERT_TRUE(image) << GetParam();
  EXPECT_TRUE(image->IsDll());
}

// Every text from `first` to `last` is there, not empty, short enough and in Windows-1250.
void ExpectTextsOf(const StringTable& table, int first, int last) {
  for (int id = first; id <= last; ++id) {
    SCOPED_TRACE(id);
    const auto it = table.find(id);
    ASSERT_NE(it, table.end());
    EXPECT_FALSE(it->second.empty());
    EXPECT_LE(it->second.size(), kMaxTextLength);
    EXPECT_EQ(Cp1250ToUtf16(Utf16ToCp1250(it->second)), it->second);
  }
}

TEST_P(BuiltLibrary, HoldsEveryTextOfAtMostSixtyCodePageCharacters) {
  const std::optional<StringTable> table = ParsePeStringTable(ReadFile(GetParam()));
  ASSERT_TRUE(table) << GetParam();
  for (int first : {sid::kFirst, sid::kFirstAdded}) {
    const int last = first == sid::kFirst ? sid::kLast : sid::kLastAdded;
    for (int id = first; id <= last; ++id) EXPECT_TRUE(table->contains(id)) << id;
  }
  for (const auto& [id, text] : *table) {
    SCOPED_TRACE(id);
    EXPECT_LE(text.size(), kMaxTextLength);
    EXPECT_EQ(Cp1250ToUtf16(Utf16ToCp1250(text)), text) << "a character outside Windows-1250";
  }
}

TEST(BuiltLibraries, HoldTheSameTextNumbers) {
  const std::optional<StringTable> polish = ParsePeStringTable(ReadFile(kPolishLibrary));
  const std::optional<StringTable> english = ParsePeStringTable(ReadFile(kEnglishLibrary));
  ASSERT_TRUE(polish && english);
  std::vector<int> polishIds;
  std::vector<int> englishIds;
  for (const auto& entry : *polish) polishIds.push_back(entry.first);
  for (const auto& entry : *english) englishIds.push_back(entry.first);
  EXPECT_EQ(polishIds, englishIds);
}

// Texts added after the first library: following a file, and a name that is not a file.
TEST_P(BuiltLibrary, HoldsTheTextsOfTheFollowCommandAndOfANameThatIsNoFile) {
  const std::optional<StringTable> table = ParsePeStringTable(ReadFile(GetParam()));
  ASSERT_TRUE(table) << GetParam();
  for (int id : {sid::kWindowFollow, sid::kWindowFollow + 1, sid::kNotAFile}) {
    SCOPED_TRACE(id);
    const auto it = table->find(id);
    ASSERT_NE(it, table->end());
    EXPECT_FALSE(it->second.empty());
    EXPECT_LE(it->second.size(), kMaxTextLength);
    EXPECT_EQ(Cp1250ToUtf16(Utf16ToCp1250(it->second)), it->second);
  }
  EXPECT_NE(table->at(sid::kWindowFollow).find(u'&'), std::u16string::npos) << "a menu key";
}

TEST_P(BuiltLibrary, HoldsTheChartTextsOfAtMostSixtyCodePageCharacters) {
  const std::optional<StringTable> table = ParsePeStringTable(ReadFile(GetParam()));
  ASSERT_TRUE(table) << GetParam();
  ExpectTextsOf(*table, sid::kChartFirst, sid::kChartLast);
  const auto library = ParseStringLibrary(ReadFile(GetParam()));
  ASSERT_TRUE(library);
  // Joined to a number or a time.
  EXPECT_TRUE(library->Text(sid::kChartLastsUntil).ends_with(' '));
  EXPECT_TRUE(library->Text(sid::kChartRecordsLeftOut).ends_with(' '));
}

TEST_P(BuiltLibrary, HoldsTheFilterTextsWithSpacesWhereTheyJoinNumbers) {
  const std::optional<StringTable> table = ParsePeStringTable(ReadFile(GetParam()));
  ASSERT_TRUE(table) << GetParam();
  ExpectTextsOf(*table, sid::kFilterFirst, sid::kFilterLast);
  EXPECT_NE(table->at(sid::kFilterRows).find(u'&'), std::u16string::npos) << "a menu key";
  const auto library = ParseStringLibrary(ReadFile(GetParam()));
  ASSERT_TRUE(library);
  // "12", " of ", "340", " rows"; "Filter: " and the pieces of the note run on into more text.
  EXPECT_TRUE(library->Text(sid::kFilterRowsOf).starts_with(' '));
  EXPECT_TRUE(library->Text(sid::kFilterRowsOf).ends_with(' '));
  EXPECT_TRUE(library->Text(sid::kFilterRowsEnd).starts_with(' '));
  for (int id : {sid::kFilterNoteStart, sid::kFilterNoteText, sid::kFilterNoteHidden})
    EXPECT_TRUE(library->Text(id).ends_with(' ')) << id;
}

TEST_P(BuiltLibrary, HoldsTheTextsOfWhatUsersSee) {
  const std::optional<StringTable> table = ParsePeStringTable(ReadFile(GetParam()));
  ASSERT_TRUE(table) << GetParam();
  ExpectTextsOf(*table, sid::kSeenFirst, sid::kSeenLast);
  EXPECT_EQ(table->at(sid::kWindowListChart).find(u'&'), std::u16string::npos) << "no menu key";
}

TEST_P(BuiltLibrary, HoldsTheTextsOfLongWork) {
  const std::optional<StringTable> table = ParsePeStringTable(ReadFile(GetParam()));
  ASSERT_TRUE(table) << GetParam();
  ExpectTextsOf(*table, sid::kWorkFirst, sid::kWorkLast);
  ExpectTextsOf(*table, sid::kSpanChartFirst, sid::kSpanChartLast);
  ExpectTextsOf(*table, sid::kChartWorkFirst, sid::kChartWorkLast);
}

// Pieces of a span's title and caption and of its messages run on into days and numbers.
TEST_P(BuiltLibrary, HoldsTheTextsOfAPlantsFolder) {
  const std::optional<StringTable> table = ParsePeStringTable(ReadFile(GetParam()));
  ASSERT_TRUE(table) << GetParam();
  ExpectTextsOf(*table, sid::kPlantFirst, sid::kPlantLast);
  EXPECT_NE(table->at(sid::kOpenFolder).find(u'&'), std::u16string::npos) << "a menu key";
  const auto library = ParseStringLibrary(ReadFile(GetParam()));
  ASSERT_TRUE(library);
  for (int id : {sid::kSpanTitleMiddle, sid::kSpanCaption, sid::kSpanChannelCount,
                 sid::kSpanChannel, sid::kCatalogueCaption})
    EXPECT_TRUE(library->Text(id).ends_with(' ')) << id;
  for (int id : {sid::kSpanTo, sid::kSpanInsteadOf}) {
    EXPECT_TRUE(library->Text(id).starts_with(' ')) << id;
    EXPECT_TRUE(library->Text(id).ends_with(' ')) << id;
  }
}

TEST_P(BuiltLibrary, HoldsTheTextsOfDatesFindingInAFolderAndTheDailySummary) {
  const std::optional<StringTable> table = ParsePeStringTable(ReadFile(GetParam()));
  ASSERT_TRUE(table) << GetParam();
  ExpectTextsOf(*table, sid::kPlantViewsFirst, sid::kPlantViewsLast);
  ExpectTextsOf(*table, sid::kFindScopeFirst, sid::kFindScopeLast);
  for (int id : {sid::kGoToDate, sid::kFindInFolder, sid::kDailySummary})
    EXPECT_NE(table->at(id).find(u'&'), std::u16string::npos) << "a menu key: " << id;
  const auto library = ParseStringLibrary(ReadFile(GetParam()));
  ASSERT_TRUE(library);
  // Joined to a number, a situation code or a unit's number.
  for (int id : {sid::kFindFound, sid::kFindSearched, sid::kSummaryAlarms, sid::kSummaryUnit})
    EXPECT_TRUE(library->Text(id).ends_with(' ')) << id;
}

TEST_P(BuiltLibrary, HoldsTheSpreadsheetExportTexts) {
  const std::optional<StringTable> table = ParsePeStringTable(ReadFile(GetParam()));
  ASSERT_TRUE(table) << GetParam();
  ExpectTextsOf(*table, sid::kCsvFirst, sid::kCsvLast);
  // The file type's description, followed by " (*.csv)" in the save dialog.
  EXPECT_EQ(table->at(sid::kCsvFilter), u"CSV");
}

// Followed by the file's name on a line of its own.
TEST_P(BuiltLibrary, HoldsTheTextRefusingToSaveOverAnOpenArchive) {
  const auto library = ParseStringLibrary(ReadFile(GetParam()));
  ASSERT_TRUE(library);
  const std::string_view text = library->Text(sid::kSaveOverOpenArchive);
  EXPECT_TRUE(text.ends_with(':')) << text;
  EXPECT_LE(Cp1250ToUtf16(text).size(), kMaxTextLength);
}

TEST_P(BuiltLibrary, PageNumberPatternHoldsOneIntegerPlaceholder) {
  const auto library = ParseStringLibrary(ReadFile(GetParam()));
  ASSERT_TRUE(library);
  const Conversions conversions = CountConversions(library->Text(sid::kPageNumberPattern));
  EXPECT_EQ(conversions.integer, 1);
  EXPECT_EQ(conversions.other, 0);
}

TEST_P(BuiltLibrary, PiecesJoinedToOtherTextsKeepASpaceBetween) {
  const auto library = ParseStringLibrary(ReadFile(GetParam()));
  ASSERT_TRUE(library);
  for (int id :
       {sid::kIntervalTitleStart, sid::kIntervalTitleMiddle, sid::kEventTitleStart,
        sid::kPrintHeading, sid::kAboutProduct, sid::kAboutVersion, sid::kHelpPrintHeading}) {
    SCOPED_TRACE(id);
    EXPECT_TRUE(library->Text(id).ends_with(' '));
  }
  EXPECT_TRUE(library->Text(sid::kIntervalTitleMiddle).starts_with(' '));
}

TEST_P(BuiltLibrary, EveryTruncationIsRefused) {
  const std::vector<unsigned char> bytes = ReadFile(GetParam());
  ASSERT_TRUE(ParseStringLibrary(bytes));
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    SCOPED_TRACE(length);
    EXPECT_EQ(ParseStringLibrary(std::span(bytes).first(length)), nullptr);
  }
}

TEST(PolishLibrary, TextsComeOutAsWindows1250) {
  const auto library = ParseStringLibrary(ReadFile(kPolishLibrary));
  ASSERT_TRUE(library);
  EXPECT_EQ(library->Text(sid::kOpenDialogTitle), "Otw\xF3rz plik danych");
  EXPECT_EQ(library->Text(sid::kFilterInterval), "Pliki danych cz\xB9stkowych");
  EXPECT_EQ(library->Text(sid::kFileExit),
            "Za&ko\xF1"
            "cz");
  EXPECT_EQ(library->Text(sid::kSortPanelHint),
            "Sortuje dane wed\xB3ug przyci\x9Cni\xEAtego panelu");
}

TEST(PolishLibrary, TextsThatReplaceBuiltInCaptionsRepeatThem) {
  const auto library = ParseStringLibrary(ReadFile(kPolishLibrary));
  ASSERT_TRUE(library);
  const std::vector<std::pair<int, std::string>> builtIn = {
      {102, "Otwórz plik danych"},
      {103, "Pliki danych cząstkowych"},
      {104, "Pliki zdarzeń"},
      {105, "Wszystkie pliki pamięci"},
      {116, "&Plik"},
      {117, "Operacje na plikach"},
      {118, "&Otwórz..."},
      {119, "Otwiera plik z zapisanymi danymi"},
      {120, "Z&apisz jako tekst..."},
      {121, "Zapisuje plik danych jako plik tekstowy"},
      {122, "&Drukuj..."},
      {123, "Drukuje plik danych"},
      {124, "&Ustawienia wydruku..."},
      {125, "Ustawia parametry wydruku"},
      {126, "Za&kończ"},
      {127, "Zamyka program"},
      {128, "&Okno"},
      {129, "Operacje na oknach"},
      {130, "&Następne"},
      {131, "Przełącza aktywność na następne otwarte okno"},
      {132, "&Poprzednie"},
      {133, "Przełącza aktywność na poprzednie otwarte okno"},
      {134, "&Sąsiadująco"},
      {135, "Ustawia okna jedno pod drugim"},
      {136, "Kaska&da"},
      {137, "Ustawia okna kaskadowo jedno na drugim"},
      {138, "&Rozmieść wszystko"},
      {139, "Rozmieszcza okna automatycznie"},
      {140, "Pomo&c"},
      {141, "Pomoc programu"},
      {142, "&Pomoc programu..."},
      {143, "Otwiera plik pomocy"},
      {144, "&O programie..."},
      {145, "Otwiera okienko informacyjne"},
      {146, "Zamknij"},
      {147, "Pomoc"},
      {148, "Otwórz"},
      {149, "Drukuj"},
      {150, "Zapisz"},
      {158, "Data i godzina"},
      {159, "Sortuje dane według przyciśniętego panelu"},
      {167, "Cen."},
      {168, "Kan."},
      {169, "Med."},
      {170, "Wart."},
      {171, "Jedn."},
      {172, "Stan"},
      {177, "OK"},
      {180, "Aby wydrukować tekst pomocy wciśnij prawy klawisz myszy"},
      {181, "&Drukuj pomoc"},
      {182, "Drukuje tekst pomocy"},
      {220, "&Wykres"},
      {221, "Rysuje aktywny widok jako wykres lub oś czasu alarmów"},
      {222, "Wykres"},
  };
  for (const auto& [id, utf8] : builtIn) {
    SCOPED_TRACE(id);
    EXPECT_EQ(Cp1250ToUtf8(library->Text(id)), utf8);
  }
}

TEST(EnglishLibrary, IsTranslated) {
  const auto polish = ParseStringLibrary(ReadFile(kPolishLibrary));
  const auto english = ParseStringLibrary(ReadFile(kEnglishLibrary));
  ASSERT_TRUE(polish && english);
  EXPECT_EQ(english->Text(sid::kOpenDialogTitle), "Open data file");
  EXPECT_NE(english->Text(sid::kSecondCopy), polish->Text(sid::kSecondCopy));
}

// A fresh directory, removed with its contents at the end of the test.
class TemporaryDirectory {
 public:
  TemporaryDirectory()
      : path_(fs::temp_directory_path() /
              ("telvoran-strings-" + std::to_string(std::random_device{}()))) {
    fs::create_directory(path_);
  }
  ~TemporaryDirectory() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

TEST(LoadStringLibrary, ReadsTheLibraryInTheProgramDirectory) {
  TemporaryDirectory directory;
  fs::copy_file(kPolishLibrary, directory.path() / "Telvoran.dll");

  const auto library = LoadStringLibrary(directory.path());
  ASSERT_TRUE(library);
  EXPECT_EQ(library->Text(sid::kOpenDialogTitle), "Otw\xF3rz plik danych");
}

// On Windows the system loads the library and looks the texts up; everywhere else the PE reader
// does. Both must give the same text for every number a lookup can ask for.
TEST(LoadStringLibrary, GivesThePeReadersTextForEveryId) {
  for (const fs::path& library : {kPolishLibrary, kEnglishLibrary}) {
    SCOPED_TRACE(library.string());
    const auto loaded = LoadStringLibrary(library.parent_path());
    const auto parsed = ParseStringLibrary(ReadFile(library));
    ASSERT_TRUE(loaded);
    ASSERT_TRUE(parsed);
    int differing = 0;
    for (int id = 0; id <= 0xFFFF; ++id) {
      if (loaded->Text(id) != parsed->Text(id) && ++differing <= 5) ADD_FAILURE() << "id " << id;
    }
    EXPECT_EQ(differing, 0);
  }
}

TEST(LoadStringLibrary, RefusesWhatIsNotAReadableLibrary) {
  struct Case {
    const char* what;
    std::function<void(const fs::path& file)> make;
  };
  const std::vector<Case> cases = {
      {"missing", [](const fs::path&) {}},
      {"a directory", [](const fs::path& file) { fs::create_directory(file); }},
      {"not a PE file", [](const fs::path& file) { std::ofstream(file) << "MZ but nothing more"; }},
      {"larger than a string library can be",
       [](const fs::path& file) {
         fs::copy_file(kPolishLibrary, file);
         fs::resize_file(file, kMaxStringLibraryBytes + 1);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TemporaryDirectory directory;
    c.make(directory.path() / "Telvoran.dll");
    EXPECT_EQ(LoadStringLibrary(directory.path()), nullptr);
  }
}

TEST(LoadStringLibrary, LooksInNoOtherDirectory) {
  // The working directory holds a library; neither an empty program directory nor a relative
  // one may lead there.
  TemporaryDirectory empty;
  const fs::path previous = fs::current_path();
  fs::current_path(kBuildDirectory);
  const auto fromEmpty = LoadStringLibrary(empty.path());
  const auto fromRelative = LoadStringLibrary(".");
  const auto fromNothing = LoadStringLibrary("");
  fs::current_path(previous);

  EXPECT_EQ(fromEmpty, nullptr);
  EXPECT_EQ(fromRelative, nullptr);
  EXPECT_EQ(fromNothing, nullptr);
}

}  // namespace
}  // namespace telvoran
