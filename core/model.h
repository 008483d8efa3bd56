#pragma once
// The whole running state of the program: one set of variables that every
// window and procedure reads and writes. They live in one struct so a single
// call puts them back to the start state; the names below are references into
// the one instance, so code reads and writes them as plain globals.
// Arrays keep the fixed bounds of the data files, each dimension from 0 to the
// bound given, with checked access.
#include "platform/currency.h"
#include "platform/fixed_array.h"
#include "platform/variant.h"

#include <QDateTime>
#include <QString>

struct Model {
    // Capacities and fixed constants (set once by start-up)
    Variant gMaxTeachers;
    Variant gMaxClasses;
    short gMaxSubjects{};
    Variant gMaxTitles;
    short gSpecialRoomCount{};
    short gColourCount{};
    short gFontCount{};
    Variant gProgramVersion;

    // Data folder and file names; gDataPath ends with "/" when set
    QString gDataPath;
    QString gFileName;
    QString gDayFilePath;

    // School calendar, plan and settings
    Variant gSchoolYearStart;
    QDateTime gSchoolYearEnd;
    Variant gSchoolYear;
    Variant gSchoolName;
    Variant gDaysPerWeek;
    Variant gPeriodsPerDay;
    FixedArray<Variant, 11> gPeriodLabels;
    FixedArray<QString, 11> gPeriodTimes;
    Variant gLunchPeriod;
    FixedArray<short, 3> gBreakAfter;
    Variant gOverlapPeriod;
    Variant gNonCognitiveRule;
    short gFifthPeriodFlag{};
    short gVisibleColumns{};
    Variant gEditorFontIndex;
    Variant gFontIndex;
    short gTeacherSortMode{};
    short gAutoLoadPlan{};
    QString gPlanName;
    QString gPlanTitle;
    Variant gStartPlanName;
    // The plan "vorda.ver" named for the start when this planner last read or
    // wrote it.
    QString gPlanToLoadSeen;
    short gPlanCount{};
    FixedArray<short, 200> gPlanNumbers;
    QString gKeyword;
    Variant gKeywordOpen;
    Variant gWorkDate;
    short gWorkWeekday{};

    // Users
    QString gUserShort;
    QString gUserPassword;
    float gLastActivity{};
    FixedArray<Variant, 3> gAdminShort;
    FixedArray<QString, 3> gExceptionTeachers;

    // Teachers (slot = teacher number 1..60; 0 = no teacher)
    FixedArray<Variant, 61> gTeacherNames;
    FixedArray<QString, 61> gTeacherShort;
    FixedArray<QString, 10> gTitles;
    FixedArray<short, 60> gTeacherTitle;
    FixedArray<short, 72> gTeacherMaxLoad;
    FixedArray<short, 61, 7, 13> gTeacherUnavailable;
    FixedArray<Variant, 61> gTeacherPlanExtra;

    // Classes (slot = class number 1..24)
    FixedArray<Variant, 24> gClassNames;
    FixedArray<QString, 24> gClassPrintNames;
    FixedArray<short, 24> gClassSkipFlag;
    FixedArray<short, 24> gFormTeacher;
    FixedArray<Variant, 84, 8> gClassCombinations;
    Variant gLastClass;
    Variant gClassFlagA;
    short gClassFlagR{};

    // Subjects (slot = subject number 1..99; 0 = a free cell)
    FixedArray<QString, 100, 2> gSubjectNames;
    FixedArray<short, 100, 30> gSubjectAttr;
    FixedArray<short, 100> gSubjectOrder;

    // Rooms
    FixedArray<QString, 100> gRoomNames;
    short gRoomCount{};
    short gRoom{};
    FixedArray<Variant, 100> gRoomStandingBookings;
    FixedArray<QString, 16> gSpecialRoomNames;
    FixedArray<short, 16, 6, 11> gSpecialRoomAvailability;

    // Students (slot 1..gStudentCount, at most 1000)
    FixedArray<Variant, 1000> gStudentNames;
    FixedArray<QString, 1000> gStudentClass;
    short gStudentCount{};
    FixedArray<short, 1000> gStudentAbsent;

    // Register day file and the entry being written
    FixedArray<QString, 9999> gDayLines;
    short gDayLineCount{};
    short gClassEntryCount{};
    QString gEntryStamp;
    Variant gEntryClass;
    Variant gEntrySubject;
    Variant gEntryPeriod;
    Variant gEntryText;
    Variant gEntryKind;
    Variant gEntryStudent;
    QString gEntryRoom;
    Variant gFreeDay;
    Variant gLessonDay;
    Variant gSearchSubject;
    Variant gSearchClass;
    QString gFoundContentShort;

    // The timetable of the loaded plan: [day, period, class, row]
    FixedArray<short, 7, 13, 25, 2> gTimetable;
    FixedArray<short, 7, 13, 25, 2> gFixations;
    FixedArray<short, 25, 100, 10> gSubjectTeachers;
    FixedArray<short, 25, 100> gCurriculumHours;
    FixedArray<Currency, 25, 100> gClassSubjectHours;
    FixedArray<short, 61, 7, 13> gTeacherPlanSubject;
    FixedArray<short, 61, 7, 13> gTeacherPlanClass;
    FixedArray<short, 60, 6, 11> gPlanSspTable;
    short gPlanSspFlag{};

    // The current cell and entities
    Variant gDay;
    Variant gPeriod;
    Variant gClass;
    Variant gHalf;
    Variant gSubject;
    Variant gTeacher;

    // Shared scratch and result variables
    Variant gLoopI;
    Variant gLoopJ;
    Variant gLoopK;
    Variant gCounter;
    Variant gCounter2;
    Variant gCalcA;
    Variant gCalcB;
    Variant gText;
    Variant gText2;
    Variant gText3;
    Variant gText4;
    Variant gCheckOk;
    Variant gDoEventsResult;

    // Constant tables
    FixedArray<QString, 20> gFontNames;
    FixedArray<Variant, 20> gColourNames;
    FixedArray<QString, 20> gColourValues;
    FixedArray<Variant, 20> gBackColours;
    FixedArray<QString, 9> gBlockRuleTexts;
    FixedArray<QString, 10> gTimeRuleTexts;
    FixedArray<Variant, 7> gDayNames;
    FixedArray<QString, 7> gDayShortNames;

    // Window positions by window number 1..70, in twips
    FixedArray<Variant, 70> gWindowTop;
    FixedArray<float, 70> gWindowLeft;
    // 1 for a slot this program changed since it last read or wrote the
    // position file: the other programs on the folder keep theirs in it.
    FixedArray<short, 70> gWindowChanged;

    // Timetable editor, optimiser and its evaluation
    short gLastEditorDay{};
    short gSelectedCell{};
    short gColumnOffset{};
    short gEditMode{};
    short gUncheckedChangeDay{};
    QString gSelectedCellColour;
    FixedArray<short, 353, 3> gGridCellMap;
    short gRuleCounter{};
    Variant gComboValueA;
    Variant gComboValueB;
    Variant gComboValueC;
    Variant gComboValueD;
    short gOptimizerMode{};
    short gOptimizerRunning{};
    short gStealthMode{};
    FixedArray<Variant, 100> gOptimizeSubjects;
    FixedArray<Variant, 1600, 3> gOpenPositions;
    short gOpenPositionCount{};
    FixedArray<float, 25, 100> gUnplacedHours;
    FixedArray<float, 10> gFreeSubjectCounts;
    FixedArray<short, 100> gSubjectWork;
    Variant gPlacedCount;
    short gPlacedCount2{};
    QDateTime gOptStartDate;
    double gOptElapsed{};
    double gOptStartTime{};
    double gOptNow{};
    short gOptPhase{};
    Variant gOptRunValueA;
    Variant gOptRunValueB;
    float gOptFactor{};
    short gTeacherGaps{};
    short gEvalCount{};
    Variant gSeriesGaps;
    Variant gWishPeriods;
    Variant gWishTotal;
    Variant gGapWeight;
    Variant gTeacherHours;
    Variant gSumSeriesGaps;
    Variant gQualityRatio;
    Variant gSumWishes;
    Variant gSumHours;
    Variant gSumGaps;
    float gWeightedGaps{};
    float gSavedQualityRatio{};
    Variant gSavedSeriesGaps;
    short gWishCount{};
    FixedArray<Variant, 11> gPeriodWork;
    FixedArray<short, 6> gDayCounts;
    FixedArray<short, 6> gDayCounts2;
    FixedArray<short, 11> gGapRules;
    float gWishWeight{};
    float gGapsForLoad{};
    Variant gTeachingLoad;
    Variant gEarlyFinishPeriods;
    Variant gHourTotal;

    // Substitution planning, printing, publishing, statistics and classroom tools
    FixedArray<Variant, 60> gTeacherAbsence;
    FixedArray<Variant, 60> gTeacherAbsenceReason;
    FixedArray<Variant, 60, 11> gTeacherAbsentPeriods;
    FixedArray<short, 60> gTeacherPaid;
    FixedArray<Variant, 24> gClassAbsence;
    FixedArray<Variant, 24, 11> gClassAbsentPeriods;
    FixedArray<QString, 24> gClassAbsenceReason;
    FixedArray<short, 200, 5> gSubstRows;
    FixedArray<QString, 200> gSubstRowTexts;
    short gSubstRowCount{};
    // The periods a day the marks in memory were read with from the last day
    // file or preset read; 0 when none was read since they were cleared.
    short gSubstDayPeriods{};
    FixedArray<QString, 3> gSubstPageMessages;
    FixedArray<float, 60, 2> gSubstCounts;
    Variant gKeyDate;
    Variant gRangeTo;
    QDateTime gRangeFrom;
    FixedArray<QString, 9> gSavedSetupList;
    Variant gPlotterMode;
    short gBlackWhiteOnly{};
    QString gShortNote;
    Variant gFooterX;
    int gFooterY{};
    FixedArray<short, 100> gTeacherMarks;
    Variant gRectX1;
    Variant gRectY1;
    Variant gRectX2;
    float gRectY2{};
    Variant gStatCount;
    FixedArray<Variant, 1000> gStatKeys;
    FixedArray<Variant, 1000> gStatLines;
    FixedArray<Variant, 1000> gStatValues;
    FixedArray<QString, 1000> gStatTexts;
    FixedArray<short, 1000> gStatCounts;
    short gStatDayCount{};
    FixedArray<QString, 100> gShuffleList;
    QString gServerRoot;
    QString gSchoolNameDashed;
    QString gServerFolder;
    Variant gFtpHost;
    Variant gFtpUser;
    Variant gFtpPassword;
    // The host of the web server that shows the uploaded pages, when it is not the FTP host.
    QString gWebHost;
    QString gPublishedUrl;
};

// The one instance.
Model& model();
// Back to the start state: numbers 0, texts "", variants empty.
void resetModel();

// Capacities and fixed constants (set once by start-up)
inline auto& gMaxTeachers = model().gMaxTeachers;
inline auto& gMaxClasses = model().gMaxClasses;
inline auto& gMaxSubjects = model().gMaxSubjects;
inline auto& gMaxTitles = model().gMaxTitles;
inline auto& gSpecialRoomCount = model().gSpecialRoomCount;
inline auto& gColourCount = model().gColourCount;
inline auto& gFontCount = model().gFontCount;
inline auto& gProgramVersion = model().gProgramVersion;

// Data folder and file names; gDataPath ends with "/" when set
inline auto& gDataPath = model().gDataPath;
inline auto& gFileName = model().gFileName;
inline auto& gDayFilePath = model().gDayFilePath;

// School calendar, plan and settings
inline auto& gSchoolYearStart = model().gSchoolYearStart;
inline auto& gSchoolYearEnd = model().gSchoolYearEnd;
inline auto& gSchoolYear = model().gSchoolYear;
inline auto& gSchoolName = model().gSchoolName;
inline auto& gDaysPerWeek = model().gDaysPerWeek;
inline auto& gPeriodsPerDay = model().gPeriodsPerDay;
inline auto& gPeriodLabels = model().gPeriodLabels;
inline auto& gPeriodTimes = model().gPeriodTimes;
inline auto& gLunchPeriod = model().gLunchPeriod;
inline auto& gBreakAfter = model().gBreakAfter;
inline auto& gOverlapPeriod = model().gOverlapPeriod;
inline auto& gNonCognitiveRule = model().gNonCognitiveRule;
inline auto& gFifthPeriodFlag = model().gFifthPeriodFlag;
inline auto& gVisibleColumns = model().gVisibleColumns;
inline auto& gEditorFontIndex = model().gEditorFontIndex;
inline auto& gFontIndex = model().gFontIndex;
inline auto& gTeacherSortMode = model().gTeacherSortMode;
inline auto& gAutoLoadPlan = model().gAutoLoadPlan;
inline auto& gPlanName = model().gPlanName;
inline auto& gPlanTitle = model().gPlanTitle;
inline auto& gStartPlanName = model().gStartPlanName;
inline auto& gPlanToLoadSeen = model().gPlanToLoadSeen;
inline auto& gPlanCount = model().gPlanCount;
inline auto& gPlanNumbers = model().gPlanNumbers;
inline auto& gKeyword = model().gKeyword;
inline auto& gKeywordOpen = model().gKeywordOpen;
inline auto& gWorkDate = model().gWorkDate;
inline auto& gWorkWeekday = model().gWorkWeekday;

// Users
inline auto& gUserShort = model().gUserShort;
inline auto& gUserPassword = model().gUserPassword;
inline auto& gLastActivity = model().gLastActivity;
inline auto& gAdminShort = model().gAdminShort;
inline auto& gExceptionTeachers = model().gExceptionTeachers;

// Teachers (slot = teacher number 1..60; 0 = no teacher)
inline auto& gTeacherNames = model().gTeacherNames;
inline auto& gTeacherShort = model().gTeacherShort;
inline auto& gTitles = model().gTitles;
inline auto& gTeacherTitle = model().gTeacherTitle;
inline auto& gTeacherMaxLoad = model().gTeacherMaxLoad;
inline auto& gTeacherUnavailable = model().gTeacherUnavailable;
inline auto& gTeacherPlanExtra = model().gTeacherPlanExtra;

// Classes (slot = class number 1..24)
inline auto& gClassNames = model().gClassNames;
inline auto& gClassPrintNames = model().gClassPrintNames;
inline auto& gClassSkipFlag = model().gClassSkipFlag;
inline auto& gFormTeacher = model().gFormTeacher;
inline auto& gClassCombinations = model().gClassCombinations;
inline auto& gLastClass = model().gLastClass;
inline auto& gClassFlagA = model().gClassFlagA;
inline auto& gClassFlagR = model().gClassFlagR;

// Subjects (slot = subject number 1..99; 0 = a free cell)
inline auto& gSubjectNames = model().gSubjectNames;
inline auto& gSubjectAttr = model().gSubjectAttr;
inline auto& gSubjectOrder = model().gSubjectOrder;

// Rooms
inline auto& gRoomNames = model().gRoomNames;
inline auto& gRoomCount = model().gRoomCount;
inline auto& gRoom = model().gRoom;
inline auto& gRoomStandingBookings = model().gRoomStandingBookings;
inline auto& gSpecialRoomNames = model().gSpecialRoomNames;
inline auto& gSpecialRoomAvailability = model().gSpecialRoomAvailability;

// Students (slot 1..gStudentCount, at most 1000)
inline auto& gStudentNames = model().gStudentNames;
inline auto& gStudentClass = model().gStudentClass;
inline auto& gStudentCount = model().gStudentCount;
inline auto& gStudentAbsent = model().gStudentAbsent;

// Register day file and the entry being written
inline auto& gDayLines = model().gDayLines;
inline auto& gDayLineCount = model().gDayLineCount;
inline auto& gClassEntryCount = model().gClassEntryCount;
inline auto& gEntryStamp = model().gEntryStamp;
inline auto& gEntryClass = model().gEntryClass;
inline auto& gEntrySubject = model().gEntrySubject;
inline auto& gEntryPeriod = model().gEntryPeriod;
inline auto& gEntryText = model().gEntryText;
inline auto& gEntryKind = model().gEntryKind;
inline auto& gEntryStudent = model().gEntryStudent;
inline auto& gEntryRoom = model().gEntryRoom;
inline auto& gFreeDay = model().gFreeDay;
inline auto& gLessonDay = model().gLessonDay;
inline auto& gSearchSubject = model().gSearchSubject;
inline auto& gSearchClass = model().gSearchClass;
inline auto& gFoundContentShort = model().gFoundContentShort;

// The timetable of the loaded plan: [day, period, class, row]
inline auto& gTimetable = model().gTimetable;
inline auto& gFixations = model().gFixations;
inline auto& gSubjectTeachers = model().gSubjectTeachers;
inline auto& gCurriculumHours = model().gCurriculumHours;
inline auto& gClassSubjectHours = model().gClassSubjectHours;
inline auto& gTeacherPlanSubject = model().gTeacherPlanSubject;
inline auto& gTeacherPlanClass = model().gTeacherPlanClass;
inline auto& gPlanSspTable = model().gPlanSspTable;
inline auto& gPlanSspFlag = model().gPlanSspFlag;

// The current cell and entities
inline auto& gDay = model().gDay;
inline auto& gPeriod = model().gPeriod;
inline auto& gClass = model().gClass;
inline auto& gHalf = model().gHalf;
inline auto& gSubject = model().gSubject;
inline auto& gTeacher = model().gTeacher;

// Shared scratch and result variables
inline auto& gLoopI = model().gLoopI;
inline auto& gLoopJ = model().gLoopJ;
inline auto& gLoopK = model().gLoopK;
inline auto& gCounter = model().gCounter;
inline auto& gCounter2 = model().gCounter2;
inline auto& gCalcA = model().gCalcA;
inline auto& gCalcB = model().gCalcB;
inline auto& gText = model().gText;
inline auto& gText2 = model().gText2;
inline auto& gText3 = model().gText3;
inline auto& gText4 = model().gText4;
inline auto& gCheckOk = model().gCheckOk;
inline auto& gDoEventsResult = model().gDoEventsResult;

// Constant tables
inline auto& gFontNames = model().gFontNames;
inline auto& gColourNames = model().gColourNames;
inline auto& gColourValues = model().gColourValues;
inline auto& gBackColours = model().gBackColours;
inline auto& gBlockRuleTexts = model().gBlockRuleTexts;
inline auto& gTimeRuleTexts = model().gTimeRuleTexts;
inline auto& gDayNames = model().gDayNames;
inline auto& gDayShortNames = model().gDayShortNames;

// Window positions by window number 1..70, in twips
inline auto& gWindowTop = model().gWindowTop;
inline auto& gWindowLeft = model().gWindowLeft;
inline auto& gWindowChanged = model().gWindowChanged;

// Timetable editor, optimiser and its evaluation
inline auto& gLastEditorDay = model().gLastEditorDay;
inline auto& gSelectedCell = model().gSelectedCell;
inline auto& gColumnOffset = model().gColumnOffset;
inline auto& gEditMode = model().gEditMode;
inline auto& gUncheckedChangeDay = model().gUncheckedChangeDay;
inline auto& gSelectedCellColour = model().gSelectedCellColour;
inline auto& gGridCellMap = model().gGridCellMap;
inline auto& gRuleCounter = model().gRuleCounter;
inline auto& gComboValueA = model().gComboValueA;
inline auto& gComboValueB = model().gComboValueB;
inline auto& gComboValueC = model().gComboValueC;
inline auto& gComboValueD = model().gComboValueD;
inline auto& gOptimizerMode = model().gOptimizerMode;
inline auto& gOptimizerRunning = model().gOptimizerRunning;
inline auto& gStealthMode = model().gStealthMode;
inline auto& gOptimizeSubjects = model().gOptimizeSubjects;
inline auto& gOpenPositions = model().gOpenPositions;
inline auto& gOpenPositionCount = model().gOpenPositionCount;
inline auto& gUnplacedHours = model().gUnplacedHours;
inline auto& gFreeSubjectCounts = model().gFreeSubjectCounts;
inline auto& gSubjectWork = model().gSubjectWork;
inline auto& gPlacedCount = model().gPlacedCount;
inline auto& gPlacedCount2 = model().gPlacedCount2;
inline auto& gOptStartDate = model().gOptStartDate;
inline auto& gOptElapsed = model().gOptElapsed;
inline auto& gOptStartTime = model().gOptStartTime;
inline auto& gOptNow = model().gOptNow;
inline auto& gOptPhase = model().gOptPhase;
inline auto& gOptRunValueA = model().gOptRunValueA;
inline auto& gOptRunValueB = model().gOptRunValueB;
inline auto& gOptFactor = model().gOptFactor;
inline auto& gTeacherGaps = model().gTeacherGaps;
inline auto& gEvalCount = model().gEvalCount;
inline auto& gSeriesGaps = model().gSeriesGaps;
inline auto& gWishPeriods = model().gWishPeriods;
inline auto& gWishTotal = model().gWishTotal;
inline auto& gGapWeight = model().gGapWeight;
inline auto& gTeacherHours = model().gTeacherHours;
inline auto& gSumSeriesGaps = model().gSumSeriesGaps;
inline auto& gQualityRatio = model().gQualityRatio;
inline auto& gSumWishes = model().gSumWishes;
inline auto& gSumHours = model().gSumHours;
inline auto& gSumGaps = model().gSumGaps;
inline auto& gWeightedGaps = model().gWeightedGaps;
inline auto& gSavedQualityRatio = model().gSavedQualityRatio;
inline auto& gSavedSeriesGaps = model().gSavedSeriesGaps;
inline auto& gWishCount = model().gWishCount;
inline auto& gPeriodWork = model().gPeriodWork;
inline auto& gDayCounts = model().gDayCounts;
inline auto& gDayCounts2 = model().gDayCounts2;
inline auto& gGapRules = model().gGapRules;
inline auto& gWishWeight = model().gWishWeight;
inline auto& gGapsForLoad = model().gGapsForLoad;
inline auto& gTeachingLoad = model().gTeachingLoad;
inline auto& gEarlyFinishPeriods = model().gEarlyFinishPeriods;
inline auto& gHourTotal = model().gHourTotal;

// Substitution planning, printing, publishing, statistics and classroom tools
inline auto& gTeacherAbsence = model().gTeacherAbsence;
inline auto& gTeacherAbsenceReason = model().gTeacherAbsenceReason;
inline auto& gTeacherAbsentPeriods = model().gTeacherAbsentPeriods;
inline auto& gTeacherPaid = model().gTeacherPaid;
inline auto& gClassAbsence = model().gClassAbsence;
inline auto& gClassAbsentPeriods = model().gClassAbsentPeriods;
inline auto& gClassAbsenceReason = model().gClassAbsenceReason;
inline auto& gSubstRows = model().gSubstRows;
inline auto& gSubstRowTexts = model().gSubstRowTexts;
inline auto& gSubstRowCount = model().gSubstRowCount;
inline auto& gSubstDayPeriods = model().gSubstDayPeriods;
inline auto& gSubstPageMessages = model().gSubstPageMessages;
inline auto& gSubstCounts = model().gSubstCounts;
inline auto& gKeyDate = model().gKeyDate;
inline auto& gRangeTo = model().gRangeTo;
inline auto& gRangeFrom = model().gRangeFrom;
inline auto& gSavedSetupList = model().gSavedSetupList;
inline auto& gPlotterMode = model().gPlotterMode;
inline auto& gBlackWhiteOnly = model().gBlackWhiteOnly;
inline auto& gShortNote = model().gShortNote;
inline auto& gFooterX = model().gFooterX;
inline auto& gFooterY = model().gFooterY;
inline auto& gTeacherMarks = model().gTeacherMarks;
inline auto& gRectX1 = model().gRectX1;
inline auto& gRectY1 = model().gRectY1;
inline auto& gRectX2 = model().gRectX2;
inline auto& gRectY2 = model().gRectY2;
inline auto& gStatCount = model().gStatCount;
inline auto& gStatKeys = model().gStatKeys;
inline auto& gStatLines = model().gStatLines;
inline auto& gStatValues = model().gStatValues;
inline auto& gStatTexts = model().gStatTexts;
inline auto& gStatCounts = model().gStatCounts;
inline auto& gStatDayCount = model().gStatDayCount;
inline auto& gShuffleList = model().gShuffleList;
inline auto& gServerRoot = model().gServerRoot;
inline auto& gSchoolNameDashed = model().gSchoolNameDashed;
inline auto& gServerFolder = model().gServerFolder;
inline auto& gFtpHost = model().gFtpHost;
inline auto& gFtpUser = model().gFtpUser;
inline auto& gFtpPassword = model().gFtpPassword;
inline auto& gWebHost = model().gWebHost;
inline auto& gPublishedUrl = model().gPublishedUrl;
