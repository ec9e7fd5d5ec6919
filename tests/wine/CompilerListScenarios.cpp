// The compiler list in the real registry: what /RegCompiler, /UnregCompiler,
// /SetCompiler and /UnregAllCompilers leave behind, byte for byte; the
// question that guards paths already stored; and the registry refusing a step.
#include "Scenario.h"

#define COMPILERS "$TOOLKEY\\Compilers\\"
#define STORED(name) "reg:" COMPILERS name "\\"
// Orvik as a registry editor stores it, every text with its terminator: the
// comparison reads up to the terminator, and a rewrite of the same text shows.
#define ORVIK                                                                                     \
  STORED("Orvik") "Executable=sz0:C:\\Orvik\\bin " STORED("Orvik") "Include=sz0:C:\\Orvik\\inc "   \
  STORED("Orvik") "Library=sz0:C:\\Orvik\\lib " STORED("Orvik") "Documentation=sz0:C:\\Orvik\\doc " \
  STORED("Orvik") "TargetPlatform=sz0:WIN32 " STORED("Orvik") "DefaultOptions=sz0:-O2 "
#define REGISTER_ORVIK "/RegCompiler Orvik C:\\Orvik\\bin C:\\Orvik\\inc C:\\Orvik\\lib -O2 WIN32 C:\\Orvik\\doc"
#define CHANGED_BIN "/RegCompiler orvik D:\\bin C:\\Orvik\\inc C:\\Orvik\\lib -O2 WIN32 C:\\Orvik\\doc"
#define CHANGED_DOC "/RegCompiler orvik C:\\Orvik\\bin C:\\Orvik\\inc C:\\Orvik\\lib -O2 WIN32 D:\\doc"
#define CHANGED_OPTIONS "/RegCompiler orvik C:\\Orvik\\bin C:\\Orvik\\inc C:\\Orvik\\lib -O3 WIN32 C:\\Orvik\\doc"
// Orvik selected, and beside it Other.
#define SELECTED STORED("Orvik") "Executable=sz:C:\\bin reg:" COMPILERS "DefaultCompiler=sz:Orvik "
#define TWO SELECTED STORED("Other") "Executable=sz:D:\\bin "
// Orvik's values after DefaultOptions as every rewrite leaves them, `bin` its Executable.
#define REWRITTEN(bin)                                                     \
  "\n" R"(~ $TOOLKEY\Compilers\Orvik\Documentation = sz "C:\Orvik\doc")" \
  "\n" R"(~ $TOOLKEY\Compilers\Orvik\Executable = sz ")" bin "\""        \
  "\n" R"(~ $TOOLKEY\Compilers\Orvik\Include = sz "C:\Orvik\inc")"       \
  "\n" R"(~ $TOOLKEY\Compilers\Orvik\Library = sz "C:\Orvik\lib")"       \
  "\n" R"(~ $TOOLKEY\Compilers\Orvik\TargetPlatform = sz "WIN32")"
// 260 characters: with its terminator one byte more than the comparison reads.
#define LONG_BIN "C:\\" X64 X64 X64 X64 "x"
// The question names the compiler as the command line gives it.
#define ASKED                                                                                              \
  R"(box "Register compiler" question "Compiler "orvik" is already registered and has a different paths.)" \
  R"(\nWould you like to update paths for this compiler?" [Yes No])"

constexpr char kNotRegistered[] = R"(box "RegOrvikPkg" error "Failed to register compiler Orvik\n" [OK] -> OK
                                     exit -1)";

SCENARIOS(CompilerList, {
    // Six REG_SZ values of exactly the text's bytes; a missing DOC is an empty value.
    {"NewCompilerCreatesTheListWithSixExactTexts", "",
     "-- /RegCompiler Orvik C:\\Orvik\\bin C:\\Orvik\\inc C:\\Orvik\\lib \"-O2 -W3\" WIN32", R"(
        exit 0)" LIST_CREATED("Orvik") R"(
        + $TOOLKEY\Compilers\Orvik\DefaultOptions = sz "-O2 -W3"
        + $TOOLKEY\Compilers\Orvik\Documentation = sz ""
        + $TOOLKEY\Compilers\Orvik\Executable = sz "C:\Orvik\bin"
        + $TOOLKEY\Compilers\Orvik\Include = sz "C:\Orvik\inc"
        + $TOOLKEY\Compilers\Orvik\Library = sz "C:\Orvik\lib"
        + $TOOLKEY\Compilers\Orvik\TargetPlatform = sz "WIN32")"},

    // Only a changed path asks; letter case, the platform and the type of
    // the documentation value do not count. Every rewrite writes all six
    // values, and the compiler keeps the letter case of its first registration.
    {"SamePathsInOtherCaseRewriteWithoutAsking", ORVIK STORED("Orvik") "Documentation=binary:433A5C4F7276696B5C646F63",
     "-- /RegCompiler ORVIK c:\\orvik\\BIN C:\\ORVIK\\inc c:\\Orvik\\Lib -o2 x64 C:\\orvik\\DOC", R"(
        exit 0
        ~ $TOOLKEY\Compilers\Orvik\DefaultOptions = sz "-o2"
        ~ $TOOLKEY\Compilers\Orvik\Documentation = sz "C:\orvik\DOC"
        ~ $TOOLKEY\Compilers\Orvik\Executable = sz "c:\orvik\BIN"
        ~ $TOOLKEY\Compilers\Orvik\Include = sz "C:\ORVIK\inc"
        ~ $TOOLKEY\Compilers\Orvik\Library = sz "c:\Orvik\Lib"
        ~ $TOOLKEY\Compilers\Orvik\TargetPlatform = sz "x64")"},
    // A path, the documentation path or the default options changed alone ask.
    {"EachChangeDeclinedKeepsTheCompiler", ORVIK,
     "--answer no --answer no --answer no -- " CHANGED_BIN " " CHANGED_DOC " " CHANGED_OPTIONS,
     ASKED R"( -> No
        )" ASKED R"( -> No
        )" ASKED R"( -> No
        exit 0)"},
    {"ChangedPathAcceptedRewritesAll", ORVIK, "--answer yes -- " CHANGED_BIN, ASKED R"( -> Yes
        exit 0
        ~ $TOOLKEY\Compilers\Orvik\DefaultOptions = sz "-O2")" REWRITTEN(R"(D:\bin)")},
    // Quiet mode neither asks nor compares: a value that could not be compared is no obstacle.
    {"QuietRewritesWithoutComparing", ORVIK "regdel:" COMPILERS "Orvik\\DefaultOptions", "-- /s " CHANGED_BIN, R"(
        exit 0
        + $TOOLKEY\Compilers\Orvik\DefaultOptions = sz "-O2")" REWRITTEN(R"(D:\bin)")},
    {"StoredPathOfAnotherTypeFails", ORVIK STORED("Orvik") "Include=binary:433A5C4F7276696B5C696E63",
     "-- " REGISTER_ORVIK, kNotRegistered},
    {"StoredPathTooLongToCompareFails", ORVIK STORED("Orvik") "Executable=sz0:" LONG_BIN,
     "-- /RegCompiler Orvik " LONG_BIN " C:\\Orvik\\inc C:\\Orvik\\lib -O2 WIN32 C:\\Orvik\\doc", kNotRegistered},

    // The list and its default outlive every compiler but the last.
    {"UnregisterOneOfTwoKeepsTheDefault", TWO, "-- /UnregCompiler ORVIK", R"(
        exit 0
        - $TOOLKEY\Compilers\Orvik\
        - $TOOLKEY\Compilers\Orvik\Executable = sz "C:\bin")"},
    {"UnregisterTheLastTakesTheListNotTheToolKey", SELECTED, "-- /UnregCompiler Orvik", R"(
        exit 0
        - $TOOLKEY\Compilers\
        - $TOOLKEY\Compilers\DefaultCompiler = sz "Orvik"
        - $TOOLKEY\Compilers\Orvik\
        - $TOOLKEY\Compilers\Orvik\Executable = sz "C:\bin")"},
    {"UnregisterUnknownFails", SELECTED, "-- /UnregCompiler Ghost", R"(
        box "RegOrvikPkg" error "Failed to unregister compiler Ghost\n" [OK] -> OK
        exit -1)"},
    {"SelectStoresTheCallersCase", TWO, "-- /SetCompiler oTHER", R"(
        exit 0
        ~ $TOOLKEY\Compilers\DefaultCompiler = sz "oTHER")"},
    {"SelectUnknownFails", SELECTED, "-- /SetCompiler Ghost", R"(
        box "RegOrvikPkg" error "Failed to select compiler Ghost\n" [OK] -> OK
        exit -1)"},

    // Every subtree is emptied before its key goes, however deep; an absent list is a failure.
    {"UnregisterAllDeletesNestedKeys",
     SELECTED "mkkey:" COMPILERS "A\\x\\y mkkey:" COMPILERS "A\\z mkkey:" COMPILERS "b\\1 mkkey:" COMPILERS "C",
     "-- /UnregAllCompilers", R"(
        exit 0
        - $TOOLKEY\Compilers\
        - $TOOLKEY\Compilers\DefaultCompiler = sz "Orvik"
        - $TOOLKEY\Compilers\A\
        - $TOOLKEY\Compilers\A\x\
        - $TOOLKEY\Compilers\A\x\y\
        - $TOOLKEY\Compilers\A\z\
        - $TOOLKEY\Compilers\b\
        - $TOOLKEY\Compilers\b\1\
        - $TOOLKEY\Compilers\C\
        - $TOOLKEY\Compilers\Orvik\
        - $TOOLKEY\Compilers\Orvik\Executable = sz "C:\bin")"},
    {"UnregisterAllWithoutAListFails", "", "-- /UnregAllCompilers", R"(
        box "RegOrvikPkg" error "Failed to unregister all registered compilers\n" [OK] -> OK
        exit -1)"},

    // The registry refusing a step: what was done before it stays done.
    {"KeyCreationRefused", "", "--fault RegCreateKeyExA=5 -- " REGISTER_ORVIK, kNotRegistered},
    {"WriteRefusedPartWay", "", "--fault RegSetValueExA(Documentation)=5 -- " REGISTER_ORVIK, R"(
        box "RegOrvikPkg" error "Failed to register compiler Orvik\n" [OK] -> OK
        exit -1)" LIST_CREATED("Orvik") R"(
        + $TOOLKEY\Compilers\Orvik\Executable = sz "C:\Orvik\bin"
        + $TOOLKEY\Compilers\Orvik\Include = sz "C:\Orvik\inc"
        + $TOOLKEY\Compilers\Orvik\Library = sz "C:\Orvik\lib")"},
    {"FailedCloseAfterEveryWrite", ORVIK, "--fault RegCloseKey=6 -- /s " REGISTER_ORVIK, R"(
        exit -1
        ~ $TOOLKEY\Compilers\Orvik\DefaultOptions = sz "-O2")" REWRITTEN(R"(C:\Orvik\bin)")},
    // Names go from the last enumerated back to the first.
    {"DeleteRefusedPartWay", SELECTED "mkkey:" COMPILERS "A mkkey:" COMPILERS "b",
     "--fault RegDeleteKeyA#2=5 -- /UnregAllCompilers", R"(
        box "RegOrvikPkg" error "Failed to unregister all registered compilers\n" [OK] -> OK
        exit -1
        - $TOOLKEY\Compilers\Orvik\
        - $TOOLKEY\Compilers\Orvik\Executable = sz "C:\bin")"},
});
