#include "platform/texts/ComponentTexts.h"
#include "platform/texts/EditorTexts.h"
#include "platform/texts/FilterControlTexts.h"
#include "platform/texts/FilterTexts.h"
#include "platform/texts/GridTexts.h"

#include <QSet>
#include <QtTest>

Q_DECLARE_METATYPE(ComponentText)

namespace {

// Every text of the catalogues.
const ComponentText allTexts[] = {
    FilterControlTexts::GroupAnd,
    FilterControlTexts::GroupOr,
    FilterControlTexts::GroupNotAnd,
    FilterControlTexts::GroupNotOr,
    FilterControlTexts::TopRowLabel,
    FilterControlTexts::AddCondition,
    FilterControlTexts::AddGroup,
    FilterControlTexts::RemoveRow,
    FilterControlTexts::ClearAll,
    FilterControlTexts::AddConditionHint,
    FilterControlTexts::NestedGroupCaption,
    FilterControlTexts::RootCaption,
    FilterControlTexts::EmptyValue,
    FilterControlTexts::CannotBuildFilter,
    FilterControlTexts::CustomFilterCaption,
    FilterControlTexts::InvalidValue,
    FilterControlTexts::WildcardUse,
    FilterControlTexts::SingleCharacterHint,
    FilterControlTexts::AnySeriesHint,
    FilterControlTexts::CustomFilterAnd,
    FilterControlTexts::CustomFilterOr,
    FilterControlTexts::ShowRowsWhere,
    FilterControlTexts::FilterBuilderCaption,
    FilterControlTexts::UntitledFileName,
    FilterControlTexts::OpenDialogTitle,
    FilterControlTexts::SaveDialogTitle,
    FilterControlTexts::SaveAs,
    FilterControlTexts::Open,
    FilterControlTexts::Apply,
    FilterControlTexts::Ok,
    FilterControlTexts::Cancel,
    FilterControlTexts::DefaultExtension,
    FilterControlTexts::FileTypes,
    FilterTexts::Equal,
    FilterTexts::NotEqual,
    FilterTexts::Less,
    FilterTexts::LessEqual,
    FilterTexts::Greater,
    FilterTexts::GreaterEqual,
    FilterTexts::Like,
    FilterTexts::NotLike,
    FilterTexts::Between,
    FilterTexts::NotBetween,
    FilterTexts::In,
    FilterTexts::NotIn,
    FilterTexts::Yesterday,
    FilterTexts::Today,
    FilterTexts::Tomorrow,
    FilterTexts::LastWeek,
    FilterTexts::LastMonth,
    FilterTexts::LastYear,
    FilterTexts::ThisWeek,
    FilterTexts::ThisMonth,
    FilterTexts::ThisYear,
    FilterTexts::NextWeek,
    FilterTexts::NextMonth,
    FilterTexts::NextYear,
    FilterTexts::And,
    FilterTexts::Or,
    FilterTexts::Not,
    FilterTexts::Blank,
    FilterTexts::Blanks,
    FilterTexts::NonBlanks,
    FilterTexts::BeginsWith,
    FilterTexts::NotBeginsWith,
    FilterTexts::EndsWith,
    FilterTexts::NotEndsWith,
    FilterTexts::Contains,
    FilterTexts::NotContains,
    FilterTexts::DropDownAll,
    FilterTexts::DropDownCustom,
    FilterTexts::DropDownBlanks,
    FilterTexts::DropDownNonBlanks,
    GridTexts::DeleteConfirmationCaption,
    GridTexts::DeleteRecord,
    GridTexts::DeleteSelectedRecords,
    GridTexts::NoDataToDisplay,
    GridTexts::NewItemRow,
    GridTexts::FilterIsEmpty,
    GridTexts::CustomizationCaption,
    GridTexts::CustomizationColumns,
    GridTexts::GroupByBoxHint,
    GridTexts::FilterCustomize,
    GridTexts::QuickColumnCustomizationHint,
    GridTexts::CustomizationBands,
    GridTexts::QuickBandCustomizationHint,
    GridTexts::CustomizationRows,
    GridTexts::ExportGridViewMissing,
    GridTexts::ExportActiveLevelMissing,
    GridTexts::CannotCreateExportFile,
    FilterControlTexts::FilterBuilderCaptionFormat,
    FilterControlTexts::CannotOpenFilterFile,
    FilterControlTexts::CannotSaveFilterFile,
    FilterControlTexts::NotAFilterFile,
    FilterControlTexts::DamagedFilterFile,
    FilterControlTexts::UnknownFilterColumn,
    EditorTexts::DateToday,
    EditorTexts::DateClear,
    EditorTexts::DateNow,
    EditorTexts::DateOk,
    EditorTexts::InvalidDate,
    EditorTexts::CannotConvertToDate,
    EditorTexts::InvalidEditValue,
};

} // namespace

class TestComponentTexts : public QObject
{
    Q_OBJECT

private slots:
    void init() { ComponentTexts::clearReplacements(); }
    void cleanupTestCase() { ComponentTexts::clearReplacements(); }

    void defaults_data();
    void defaults();
    void identitiesAreUnique();

    void unregisteredTextReadsDefault();
    void keysIgnoreLetterCase_data();
    void keysIgnoreLetterCase();
    void laterRegistrationKeepsFirstSpelling();
    void registeringTheDefaultAgainChangesNothing();
    void sharedDefaultsShareOneEntry();
    void clearBringsDefaultsBack();
};

void TestComponentTexts::defaults_data()
{
    QTest::addColumn<ComponentText>("text");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("english");

    QTest::newRow("FilterControlTexts::GroupAnd") << FilterControlTexts::GroupAnd << QStringLiteral("cxFilterControlStrs") << QStringLiteral("AND");
    QTest::newRow("FilterControlTexts::GroupOr") << FilterControlTexts::GroupOr << QStringLiteral("cxFilterControlStrs") << QStringLiteral("OR");
    QTest::newRow("FilterControlTexts::GroupNotAnd") << FilterControlTexts::GroupNotAnd << QStringLiteral("cxFilterControlStrs") << QStringLiteral("NOT AND");
    QTest::newRow("FilterControlTexts::GroupNotOr") << FilterControlTexts::GroupNotOr << QStringLiteral("cxFilterControlStrs") << QStringLiteral("NOT OR");
    QTest::newRow("FilterControlTexts::TopRowLabel") << FilterControlTexts::TopRowLabel << QStringLiteral("cxFilterControlStrs") << QStringLiteral("Filter");
    QTest::newRow("FilterControlTexts::AddCondition") << FilterControlTexts::AddCondition << QStringLiteral("cxFilterControlStrs") << QStringLiteral("Add &Condition");
    QTest::newRow("FilterControlTexts::AddGroup") << FilterControlTexts::AddGroup << QStringLiteral("cxFilterControlStrs") << QStringLiteral("Add &Group");
    QTest::newRow("FilterControlTexts::RemoveRow") << FilterControlTexts::RemoveRow << QStringLiteral("cxFilterControlStrs") << QStringLiteral("&Remove Row");
    QTest::newRow("FilterControlTexts::ClearAll") << FilterControlTexts::ClearAll << QStringLiteral("cxFilterControlStrs") << QStringLiteral("Clear &All");
    QTest::newRow("FilterControlTexts::AddConditionHint") << FilterControlTexts::AddConditionHint << QStringLiteral("cxFilterControlStrs") << QStringLiteral("press the button to add a new condition");
    QTest::newRow("FilterControlTexts::NestedGroupCaption") << FilterControlTexts::NestedGroupCaption << QStringLiteral("cxFilterControlStrs") << QStringLiteral("applies to the following conditions");
    QTest::newRow("FilterControlTexts::RootCaption") << FilterControlTexts::RootCaption << QStringLiteral("cxFilterControlStrs") << QStringLiteral("<root>");
    QTest::newRow("FilterControlTexts::EmptyValue") << FilterControlTexts::EmptyValue << QStringLiteral("cxFilterControlStrs") << QStringLiteral("<empty>");
    QTest::newRow("FilterControlTexts::CannotBuildFilter") << FilterControlTexts::CannotBuildFilter << QStringLiteral("cxFilterControlStrs") << QStringLiteral("Can't build filter from source");
    QTest::newRow("FilterControlTexts::CustomFilterCaption") << FilterControlTexts::CustomFilterCaption << QStringLiteral("cxFilterControlStrs") << QStringLiteral("Custom Filter");
    QTest::newRow("FilterControlTexts::InvalidValue") << FilterControlTexts::InvalidValue << QStringLiteral("cxFilterControlStrs") << QStringLiteral("Invalid value");
    QTest::newRow("FilterControlTexts::WildcardUse") << FilterControlTexts::WildcardUse << QStringLiteral("cxFilterControlStrs") << QStringLiteral("Use");
    QTest::newRow("FilterControlTexts::SingleCharacterHint") << FilterControlTexts::SingleCharacterHint << QStringLiteral("cxFilterControlStrs") << QStringLiteral("to represent any single character");
    QTest::newRow("FilterControlTexts::AnySeriesHint") << FilterControlTexts::AnySeriesHint << QStringLiteral("cxFilterControlStrs") << QStringLiteral("to represent any series of characters");
    QTest::newRow("FilterControlTexts::CustomFilterAnd") << FilterControlTexts::CustomFilterAnd << QStringLiteral("cxFilterControlStrs") << QStringLiteral("AND");
    QTest::newRow("FilterControlTexts::CustomFilterOr") << FilterControlTexts::CustomFilterOr << QStringLiteral("cxFilterControlStrs") << QStringLiteral("OR");
    QTest::newRow("FilterControlTexts::ShowRowsWhere") << FilterControlTexts::ShowRowsWhere << QStringLiteral("cxFilterControlStrs") << QStringLiteral("Show rows where:");
    QTest::newRow("FilterControlTexts::FilterBuilderCaption") << FilterControlTexts::FilterBuilderCaption << QStringLiteral("cxFilterControlStrs") << QStringLiteral("Filter builder");
    QTest::newRow("FilterControlTexts::UntitledFileName") << FilterControlTexts::UntitledFileName << QStringLiteral("cxFilterControlStrs") << QStringLiteral("untitled.flt");
    QTest::newRow("FilterControlTexts::OpenDialogTitle") << FilterControlTexts::OpenDialogTitle << QStringLiteral("cxFilterControlStrs") << QStringLiteral("Open an existing filter");
    QTest::newRow("FilterControlTexts::SaveDialogTitle") << FilterControlTexts::SaveDialogTitle << QStringLiteral("cxFilterControlStrs") << QStringLiteral("Save the active filter to file");
    QTest::newRow("FilterControlTexts::SaveAs") << FilterControlTexts::SaveAs << QStringLiteral("cxFilterControlStrs") << QStringLiteral("&Save As...");
    QTest::newRow("FilterControlTexts::Open") << FilterControlTexts::Open << QStringLiteral("cxFilterControlStrs") << QStringLiteral("&Open...");
    QTest::newRow("FilterControlTexts::Apply") << FilterControlTexts::Apply << QStringLiteral("cxFilterControlStrs") << QStringLiteral("&Apply");
    QTest::newRow("FilterControlTexts::Ok") << FilterControlTexts::Ok << QStringLiteral("cxFilterControlStrs") << QStringLiteral("OK");
    QTest::newRow("FilterControlTexts::Cancel") << FilterControlTexts::Cancel << QStringLiteral("cxFilterControlStrs") << QStringLiteral("Cancel");
    QTest::newRow("FilterControlTexts::DefaultExtension") << FilterControlTexts::DefaultExtension << QStringLiteral("cxFilterControlStrs") << QStringLiteral("flt");
    QTest::newRow("FilterControlTexts::FileTypes") << FilterControlTexts::FileTypes << QStringLiteral("cxFilterControlStrs") << QStringLiteral("Filters (*.flt)|*.flt");
    QTest::newRow("FilterTexts::Equal") << FilterTexts::Equal << QStringLiteral("cxFilterConsts") << QStringLiteral("equals");
    QTest::newRow("FilterTexts::NotEqual") << FilterTexts::NotEqual << QStringLiteral("cxFilterConsts") << QStringLiteral("does not equal");
    QTest::newRow("FilterTexts::Less") << FilterTexts::Less << QStringLiteral("cxFilterConsts") << QStringLiteral("is less than");
    QTest::newRow("FilterTexts::LessEqual") << FilterTexts::LessEqual << QStringLiteral("cxFilterConsts") << QStringLiteral("is less than or equal to");
    QTest::newRow("FilterTexts::Greater") << FilterTexts::Greater << QStringLiteral("cxFilterConsts") << QStringLiteral("is greater than");
    QTest::newRow("FilterTexts::GreaterEqual") << FilterTexts::GreaterEqual << QStringLiteral("cxFilterConsts") << QStringLiteral("is greater than or equal to");
    QTest::newRow("FilterTexts::Like") << FilterTexts::Like << QStringLiteral("cxFilterConsts") << QStringLiteral("like");
    QTest::newRow("FilterTexts::NotLike") << FilterTexts::NotLike << QStringLiteral("cxFilterConsts") << QStringLiteral("not like");
    QTest::newRow("FilterTexts::Between") << FilterTexts::Between << QStringLiteral("cxFilterConsts") << QStringLiteral("between");
    QTest::newRow("FilterTexts::NotBetween") << FilterTexts::NotBetween << QStringLiteral("cxFilterConsts") << QStringLiteral("not between");
    QTest::newRow("FilterTexts::In") << FilterTexts::In << QStringLiteral("cxFilterConsts") << QStringLiteral("in");
    QTest::newRow("FilterTexts::NotIn") << FilterTexts::NotIn << QStringLiteral("cxFilterConsts") << QStringLiteral("not in");
    QTest::newRow("FilterTexts::Yesterday") << FilterTexts::Yesterday << QStringLiteral("cxFilterConsts") << QStringLiteral("is yesterday");
    QTest::newRow("FilterTexts::Today") << FilterTexts::Today << QStringLiteral("cxFilterConsts") << QStringLiteral("is today");
    QTest::newRow("FilterTexts::Tomorrow") << FilterTexts::Tomorrow << QStringLiteral("cxFilterConsts") << QStringLiteral("is tomorrow");
    QTest::newRow("FilterTexts::LastWeek") << FilterTexts::LastWeek << QStringLiteral("cxFilterConsts") << QStringLiteral("is last week");
    QTest::newRow("FilterTexts::LastMonth") << FilterTexts::LastMonth << QStringLiteral("cxFilterConsts") << QStringLiteral("is last month");
    QTest::newRow("FilterTexts::LastYear") << FilterTexts::LastYear << QStringLiteral("cxFilterConsts") << QStringLiteral("is last year");
    QTest::newRow("FilterTexts::ThisWeek") << FilterTexts::ThisWeek << QStringLiteral("cxFilterConsts") << QStringLiteral("is this week");
    QTest::newRow("FilterTexts::ThisMonth") << FilterTexts::ThisMonth << QStringLiteral("cxFilterConsts") << QStringLiteral("is this month");
    QTest::newRow("FilterTexts::ThisYear") << FilterTexts::ThisYear << QStringLiteral("cxFilterConsts") << QStringLiteral("is this year");
    QTest::newRow("FilterTexts::NextWeek") << FilterTexts::NextWeek << QStringLiteral("cxFilterConsts") << QStringLiteral("is next week");
    QTest::newRow("FilterTexts::NextMonth") << FilterTexts::NextMonth << QStringLiteral("cxFilterConsts") << QStringLiteral("is next month");
    QTest::newRow("FilterTexts::NextYear") << FilterTexts::NextYear << QStringLiteral("cxFilterConsts") << QStringLiteral("is next year");
    QTest::newRow("FilterTexts::And") << FilterTexts::And << QStringLiteral("cxFilterConsts") << QStringLiteral("and");
    QTest::newRow("FilterTexts::Or") << FilterTexts::Or << QStringLiteral("cxFilterConsts") << QStringLiteral("or");
    QTest::newRow("FilterTexts::Not") << FilterTexts::Not << QStringLiteral("cxFilterConsts") << QStringLiteral("not");
    QTest::newRow("FilterTexts::Blank") << FilterTexts::Blank << QStringLiteral("cxFilterConsts") << QStringLiteral("blank");
    QTest::newRow("FilterTexts::Blanks") << FilterTexts::Blanks << QStringLiteral("cxFilterConsts") << QStringLiteral("is blank");
    QTest::newRow("FilterTexts::NonBlanks") << FilterTexts::NonBlanks << QStringLiteral("cxFilterConsts") << QStringLiteral("is not blank");
    QTest::newRow("FilterTexts::BeginsWith") << FilterTexts::BeginsWith << QStringLiteral("cxFilterConsts") << QStringLiteral("begins with");
    QTest::newRow("FilterTexts::NotBeginsWith") << FilterTexts::NotBeginsWith << QStringLiteral("cxFilterConsts") << QStringLiteral("does not begin with");
    QTest::newRow("FilterTexts::EndsWith") << FilterTexts::EndsWith << QStringLiteral("cxFilterConsts") << QStringLiteral("ends with");
    QTest::newRow("FilterTexts::NotEndsWith") << FilterTexts::NotEndsWith << QStringLiteral("cxFilterConsts") << QStringLiteral("does not end with");
    QTest::newRow("FilterTexts::Contains") << FilterTexts::Contains << QStringLiteral("cxFilterConsts") << QStringLiteral("contains");
    QTest::newRow("FilterTexts::NotContains") << FilterTexts::NotContains << QStringLiteral("cxFilterConsts") << QStringLiteral("does not contain");
    QTest::newRow("FilterTexts::DropDownAll") << FilterTexts::DropDownAll << QStringLiteral("cxFilterConsts") << QStringLiteral("(All)");
    QTest::newRow("FilterTexts::DropDownCustom") << FilterTexts::DropDownCustom << QStringLiteral("cxFilterConsts") << QStringLiteral("(Custom...)");
    QTest::newRow("FilterTexts::DropDownBlanks") << FilterTexts::DropDownBlanks << QStringLiteral("cxFilterConsts") << QStringLiteral("(Blanks)");
    QTest::newRow("FilterTexts::DropDownNonBlanks") << FilterTexts::DropDownNonBlanks << QStringLiteral("cxFilterConsts") << QStringLiteral("(NonBlanks)");
    QTest::newRow("GridTexts::DeleteConfirmationCaption") << GridTexts::DeleteConfirmationCaption << QStringLiteral("cxGridStrs") << QStringLiteral("Confirm");
    QTest::newRow("GridTexts::DeleteRecord") << GridTexts::DeleteRecord << QStringLiteral("cxGridStrs") << QStringLiteral("Delete record?");
    QTest::newRow("GridTexts::DeleteSelectedRecords") << GridTexts::DeleteSelectedRecords << QStringLiteral("cxGridStrs") << QStringLiteral("Delete all selected records?");
    QTest::newRow("GridTexts::NoDataToDisplay") << GridTexts::NoDataToDisplay << QStringLiteral("cxGridStrs") << QStringLiteral("<No data to display>");
    QTest::newRow("GridTexts::NewItemRow") << GridTexts::NewItemRow << QStringLiteral("cxGridStrs") << QStringLiteral("Click here to add a new row");
    QTest::newRow("GridTexts::FilterIsEmpty") << GridTexts::FilterIsEmpty << QStringLiteral("cxGridStrs") << QStringLiteral("<Filter is Empty>");
    QTest::newRow("GridTexts::CustomizationCaption") << GridTexts::CustomizationCaption << QStringLiteral("cxGridStrs") << QStringLiteral("Customization");
    QTest::newRow("GridTexts::CustomizationColumns") << GridTexts::CustomizationColumns << QStringLiteral("cxGridStrs") << QStringLiteral("Columns");
    QTest::newRow("GridTexts::GroupByBoxHint") << GridTexts::GroupByBoxHint << QStringLiteral("cxGridStrs") << QStringLiteral("Drag a column header here to group by that column");
    QTest::newRow("GridTexts::FilterCustomize") << GridTexts::FilterCustomize << QStringLiteral("cxGridStrs") << QStringLiteral("Customize...");
    QTest::newRow("GridTexts::QuickColumnCustomizationHint") << GridTexts::QuickColumnCustomizationHint << QStringLiteral("cxGridStrs") << QStringLiteral("Click here to select visible columns");
    QTest::newRow("GridTexts::CustomizationBands") << GridTexts::CustomizationBands << QStringLiteral("cxGridStrs") << QStringLiteral("Bands");
    QTest::newRow("GridTexts::QuickBandCustomizationHint") << GridTexts::QuickBandCustomizationHint << QStringLiteral("cxGridStrs") << QStringLiteral("Click here to select visible bands");
    QTest::newRow("GridTexts::CustomizationRows") << GridTexts::CustomizationRows << QStringLiteral("cxGridStrs") << QStringLiteral("Rows");
    QTest::newRow("GridTexts::ExportGridViewMissing") << GridTexts::ExportGridViewMissing << QStringLiteral("cxGridStrs") << QStringLiteral("Grid view does not exist");
    QTest::newRow("GridTexts::ExportActiveLevelMissing") << GridTexts::ExportActiveLevelMissing << QStringLiteral("cxGridStrs") << QStringLiteral("Active grid level does not exist");
    QTest::newRow("GridTexts::CannotCreateExportFile") << GridTexts::CannotCreateExportFile << QStringLiteral("cxGridStrs") << QStringLiteral("Can't create the export output file");
    QTest::newRow("FilterControlTexts::FilterBuilderCaptionFormat") << FilterControlTexts::FilterBuilderCaptionFormat << QStringLiteral("cxFilterControlStrs") << QStringLiteral("%1 - [%2]");
    QTest::newRow("FilterControlTexts::CannotOpenFilterFile") << FilterControlTexts::CannotOpenFilterFile << QStringLiteral("cxFilterControlStrs") << QStringLiteral("Can't open the filter file %1");
    QTest::newRow("FilterControlTexts::CannotSaveFilterFile") << FilterControlTexts::CannotSaveFilterFile << QStringLiteral("cxFilterControlStrs") << QStringLiteral("Can't save the filter file %1");
    QTest::newRow("FilterControlTexts::NotAFilterFile") << FilterControlTexts::NotAFilterFile << QStringLiteral("cxFilterControlStrs") << QStringLiteral("The file %1 is not a filter file");
    QTest::newRow("FilterControlTexts::DamagedFilterFile") << FilterControlTexts::DamagedFilterFile << QStringLiteral("cxFilterControlStrs") << QStringLiteral("The filter file %1 is damaged");
    QTest::newRow("FilterControlTexts::UnknownFilterColumn") << FilterControlTexts::UnknownFilterColumn << QStringLiteral("cxFilterControlStrs") << QStringLiteral("The filter file %1 names a column that does not exist here: %2");
    QTest::newRow("EditorTexts::DateToday") << EditorTexts::DateToday << QStringLiteral("cxEditConsts") << QStringLiteral("Today");
    QTest::newRow("EditorTexts::DateClear") << EditorTexts::DateClear << QStringLiteral("cxEditConsts") << QStringLiteral("Clear");
    QTest::newRow("EditorTexts::DateNow") << EditorTexts::DateNow << QStringLiteral("cxEditConsts") << QStringLiteral("Now");
    QTest::newRow("EditorTexts::DateOk") << EditorTexts::DateOk << QStringLiteral("cxEditConsts") << QStringLiteral("OK");
    QTest::newRow("EditorTexts::InvalidDate") << EditorTexts::InvalidDate << QStringLiteral("cxEditConsts") << QStringLiteral("Invalid Date");
    QTest::newRow("EditorTexts::CannotConvertToDate") << EditorTexts::CannotConvertToDate << QStringLiteral("cxEditConsts") << QStringLiteral("Could not convert to date");
    QTest::newRow("EditorTexts::InvalidEditValue") << EditorTexts::InvalidEditValue << QStringLiteral("cxEditConsts") << QStringLiteral("The edit value is invalid");
}

void TestComponentTexts::defaults()
{
    QFETCH(ComponentText, text);
    QFETCH(QString, group);
    QFETCH(QString, english);

    QCOMPARE(QString::fromLatin1(text.group), group);
    QCOMPARE(text.defaultString(), english);
    QCOMPARE(ComponentTexts::text(text), english);
}

void TestComponentTexts::identitiesAreUnique()
{
    QSet<QString> seen;
    for (const ComponentText &text : allTexts) {
        const QString identity = QString::fromLatin1(text.group) + u'/' + QString::fromLatin1(text.id);
        QVERIFY2(!seen.contains(identity), qPrintable(identity));
        seen.insert(identity);
    }
    QCOMPARE(FilterControlTexts::GroupAnd == FilterControlTexts::CustomFilterAnd, false);
    QCOMPARE(FilterControlTexts::GroupAnd == FilterControlTexts::GroupAnd, true);
}

void TestComponentTexts::unregisteredTextReadsDefault()
{
    ComponentTexts::registerReplacement(GridTexts::NoDataToDisplay, QStringLiteral("<Nessuna riga da mostrare>"));

    QCOMPARE(ComponentTexts::text(GridTexts::NoDataToDisplay), QStringLiteral("<Nessuna riga da mostrare>"));
    QCOMPARE(ComponentTexts::text(GridTexts::FilterIsEmpty), QStringLiteral("<Filter is Empty>"));
    QCOMPARE(ComponentTexts::text(EditorTexts::DateToday), QStringLiteral("Today"));
}

void TestComponentTexts::keysIgnoreLetterCase_data()
{
    QTest::addColumn<QString>("registeredDefault");
    QTest::addColumn<ComponentText>("read");

    QTest::newRow("lower key, upper default") << QStringLiteral("and") << FilterControlTexts::GroupAnd;
    QTest::newRow("upper key, lower default") << QStringLiteral("OR") << FilterTexts::Or;
    QTest::newRow("mixed case") << QStringLiteral("cUSTOMIZE...") << GridTexts::FilterCustomize;
    QTest::newRow("same text, other group") << QStringLiteral("OK") << EditorTexts::DateOk;
}

void TestComponentTexts::keysIgnoreLetterCase()
{
    QFETCH(QString, registeredDefault);
    QFETCH(ComponentText, read);

    ComponentTexts::registerReplacement(registeredDefault, QStringLiteral("replaced"));

    QCOMPARE(ComponentTexts::text(read), QStringLiteral("replaced"));
    QCOMPARE(ComponentTexts::replacementCount(), 1);
}

void TestComponentTexts::laterRegistrationKeepsFirstSpelling()
{
    ComponentTexts::registerReplacement(FilterControlTexts::GroupAnd, QStringLiteral("AND"));
    ComponentTexts::registerReplacement(FilterTexts::And, QStringLiteral("E"));

    QCOMPARE(ComponentTexts::replacementCount(), 1);
    QCOMPARE(ComponentTexts::replacementKey(QStringLiteral("and")), QStringLiteral("AND"));
    QCOMPARE(ComponentTexts::text(FilterControlTexts::GroupAnd), QStringLiteral("E"));
    QCOMPARE(ComponentTexts::text(FilterTexts::And), QStringLiteral("E"));
    QVERIFY(ComponentTexts::replacementKey(QStringLiteral("or")).isNull());
}

void TestComponentTexts::registeringTheDefaultAgainChangesNothing()
{
    ComponentTexts::registerReplacement(FilterControlTexts::CustomFilterCaption,
                                        FilterControlTexts::CustomFilterCaption.defaultString());

    QCOMPARE(ComponentTexts::replacementCount(), 1);
    QCOMPARE(ComponentTexts::text(FilterControlTexts::CustomFilterCaption), QStringLiteral("Custom Filter"));
}

void TestComponentTexts::sharedDefaultsShareOneEntry()
{
    ComponentTexts::registerReplacement(FilterControlTexts::Ok, QStringLiteral("Va bene"));

    QCOMPARE(ComponentTexts::text(EditorTexts::DateOk), QStringLiteral("Va bene"));
    QCOMPARE(ComponentTexts::replacementCount(), 1);
}

void TestComponentTexts::clearBringsDefaultsBack()
{
    ComponentTexts::registerReplacement(GridTexts::GroupByBoxHint, QStringLiteral("x"));
    ComponentTexts::clearReplacements();

    QCOMPARE(ComponentTexts::replacementCount(), 0);
    QCOMPARE(ComponentTexts::text(GridTexts::GroupByBoxHint),
             QStringLiteral("Drag a column header here to group by that column"));
}

QTEST_GUILESS_MAIN(TestComponentTexts)
#include "tst_componenttexts.moc"
