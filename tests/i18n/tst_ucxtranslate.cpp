#include "i18n/UCXTRANSLATE.h"
#include "platform/texts/ComponentTexts.h"
#include "platform/texts/EditorTexts.h"
#include "platform/texts/FilterControlTexts.h"
#include "platform/texts/FilterTexts.h"
#include "platform/texts/GridTexts.h"

#include <QtTest>

Q_DECLARE_METATYPE(ComponentText)

class TestUcxTranslate : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        ComponentTexts::clearReplacements();
        installComponentTexts();
    }
    void cleanupTestCase() { ComponentTexts::clearReplacements(); }

    void leavesEightySixEntries();
    void everyNamedTextReadsItsReplacement_data();
    void everyNamedTextReadsItsReplacement();
    void andAndOrReadInCapitals_data();
    void andAndOrReadInCapitals();
    void sharedEntriesKeepTheirFirstSpelling();
    void textsTheTableDoesNotNameStayEnglish_data();
    void textsTheTableDoesNotNameStayEnglish();
    void fileTypeListKeepsItsPattern();
    void composedTexts();
    void installingTwiceChangesNothing();
};

void TestUcxTranslate::leavesEightySixEntries()
{
    QCOMPARE(ComponentTexts::replacementCount(), 86);
}

void TestUcxTranslate::everyNamedTextReadsItsReplacement_data()
{
    QTest::addColumn<ComponentText>("text");
    QTest::addColumn<QString>("shown");

    QTest::newRow("FilterControlTexts::GroupAnd") << FilterControlTexts::GroupAnd << QStringLiteral("AND");
    QTest::newRow("FilterControlTexts::GroupOr") << FilterControlTexts::GroupOr << QStringLiteral("OR");
    QTest::newRow("FilterControlTexts::GroupNotAnd") << FilterControlTexts::GroupNotAnd << QStringLiteral("NOT AND");
    QTest::newRow("FilterControlTexts::GroupNotOr") << FilterControlTexts::GroupNotOr << QStringLiteral("NOT OR");
    QTest::newRow("FilterControlTexts::TopRowLabel") << FilterControlTexts::TopRowLabel << QStringLiteral("Filtra");
    QTest::newRow("FilterControlTexts::AddCondition") << FilterControlTexts::AddCondition << QStringLiteral("Aggiungi una &Condizione");
    QTest::newRow("FilterControlTexts::AddGroup") << FilterControlTexts::AddGroup << QStringLiteral("Aggiungi &Gruppo");
    QTest::newRow("FilterControlTexts::RemoveRow") << FilterControlTexts::RemoveRow << QStringLiteral("&Rimuovi Riga");
    QTest::newRow("FilterControlTexts::ClearAll") << FilterControlTexts::ClearAll << QStringLiteral("Azzera tutto");
    QTest::newRow("FilterControlTexts::AddConditionHint") << FilterControlTexts::AddConditionHint << QStringLiteral("premi qui per aggiungere una nuova condizione");
    QTest::newRow("FilterControlTexts::NestedGroupCaption") << FilterControlTexts::NestedGroupCaption << QStringLiteral("<Sottogruppo>");
    QTest::newRow("FilterControlTexts::RootCaption") << FilterControlTexts::RootCaption << QStringLiteral("<Gruppo principale>");
    QTest::newRow("FilterControlTexts::EmptyValue") << FilterControlTexts::EmptyValue << QStringLiteral("<vuoto>");
    QTest::newRow("FilterControlTexts::CannotBuildFilter") << FilterControlTexts::CannotBuildFilter << QStringLiteral("Can't build filter from source");
    QTest::newRow("FilterControlTexts::CustomFilterCaption") << FilterControlTexts::CustomFilterCaption << QStringLiteral("Custom Filter");
    QTest::newRow("FilterControlTexts::InvalidValue") << FilterControlTexts::InvalidValue << QStringLiteral("Valore non valido");
    QTest::newRow("FilterControlTexts::WildcardUse") << FilterControlTexts::WildcardUse << QStringLiteral("Usa");
    QTest::newRow("FilterControlTexts::SingleCharacterHint") << FilterControlTexts::SingleCharacterHint << QStringLiteral("per rappresentare ogni singolo carattere");
    QTest::newRow("FilterControlTexts::AnySeriesHint") << FilterControlTexts::AnySeriesHint << QStringLiteral("per rappresentare qualsiasi serie di caratteri");
    QTest::newRow("FilterControlTexts::CustomFilterAnd") << FilterControlTexts::CustomFilterAnd << QStringLiteral("AND");
    QTest::newRow("FilterControlTexts::CustomFilterOr") << FilterControlTexts::CustomFilterOr << QStringLiteral("OR");
    QTest::newRow("FilterControlTexts::ShowRowsWhere") << FilterControlTexts::ShowRowsWhere << QStringLiteral("Mostra le righe dove:");
    QTest::newRow("FilterControlTexts::FilterBuilderCaption") << FilterControlTexts::FilterBuilderCaption << QStringLiteral("Generazione filtro");
    QTest::newRow("FilterControlTexts::UntitledFileName") << FilterControlTexts::UntitledFileName << QStringLiteral("untitled.flt");
    QTest::newRow("FilterControlTexts::OpenDialogTitle") << FilterControlTexts::OpenDialogTitle << QStringLiteral("Apri un filtro esistente");
    QTest::newRow("FilterControlTexts::SaveDialogTitle") << FilterControlTexts::SaveDialogTitle << QStringLiteral("Salva in un file il filtro attivo");
    QTest::newRow("FilterControlTexts::SaveAs") << FilterControlTexts::SaveAs << QStringLiteral("&Salva come...");
    QTest::newRow("FilterControlTexts::Open") << FilterControlTexts::Open << QStringLiteral("A&pri...");
    QTest::newRow("FilterControlTexts::Apply") << FilterControlTexts::Apply << QStringLiteral("&Applica");
    QTest::newRow("FilterControlTexts::Ok") << FilterControlTexts::Ok << QStringLiteral("OK");
    QTest::newRow("FilterControlTexts::Cancel") << FilterControlTexts::Cancel << QStringLiteral("Annulla");
    QTest::newRow("FilterControlTexts::DefaultExtension") << FilterControlTexts::DefaultExtension << QStringLiteral("flt");
    QTest::newRow("FilterControlTexts::FileTypes") << FilterControlTexts::FileTypes << QStringLiteral("Filters ( *.flt )|*.flt");
    QTest::newRow("FilterTexts::Equal") << FilterTexts::Equal << QStringLiteral("e' uguale a");
    QTest::newRow("FilterTexts::NotEqual") << FilterTexts::NotEqual << QStringLiteral("e' diverso da");
    QTest::newRow("FilterTexts::Less") << FilterTexts::Less << QStringLiteral("e' minore di");
    QTest::newRow("FilterTexts::LessEqual") << FilterTexts::LessEqual << QStringLiteral("e' minore o uguale a");
    QTest::newRow("FilterTexts::Greater") << FilterTexts::Greater << QStringLiteral("e' maggiore di");
    QTest::newRow("FilterTexts::GreaterEqual") << FilterTexts::GreaterEqual << QStringLiteral("e' maggiore o uguale a");
    QTest::newRow("FilterTexts::Like") << FilterTexts::Like << QStringLiteral("like");
    QTest::newRow("FilterTexts::NotLike") << FilterTexts::NotLike << QStringLiteral("not like");
    QTest::newRow("FilterTexts::Between") << FilterTexts::Between << QStringLiteral("nel range tra");
    QTest::newRow("FilterTexts::NotBetween") << FilterTexts::NotBetween << QStringLiteral("fuori dal range tra");
    QTest::newRow("FilterTexts::In") << FilterTexts::In << QStringLiteral("incluso");
    QTest::newRow("FilterTexts::NotIn") << FilterTexts::NotIn << QStringLiteral("non incluso");
    QTest::newRow("FilterTexts::Yesterday") << FilterTexts::Yesterday << QStringLiteral("e' ieri");
    QTest::newRow("FilterTexts::Today") << FilterTexts::Today << QStringLiteral("e' oggi");
    QTest::newRow("FilterTexts::Tomorrow") << FilterTexts::Tomorrow << QStringLiteral("e' domani");
    QTest::newRow("FilterTexts::LastWeek") << FilterTexts::LastWeek << QStringLiteral("is last week");
    QTest::newRow("FilterTexts::LastMonth") << FilterTexts::LastMonth << QStringLiteral("is last month");
    QTest::newRow("FilterTexts::LastYear") << FilterTexts::LastYear << QStringLiteral("is last year");
    QTest::newRow("FilterTexts::ThisWeek") << FilterTexts::ThisWeek << QStringLiteral("is this week");
    QTest::newRow("FilterTexts::ThisMonth") << FilterTexts::ThisMonth << QStringLiteral("is this month");
    QTest::newRow("FilterTexts::ThisYear") << FilterTexts::ThisYear << QStringLiteral("is this year");
    QTest::newRow("FilterTexts::NextWeek") << FilterTexts::NextWeek << QStringLiteral("is next week");
    QTest::newRow("FilterTexts::NextMonth") << FilterTexts::NextMonth << QStringLiteral("is next month");
    QTest::newRow("FilterTexts::NextYear") << FilterTexts::NextYear << QStringLiteral("is next year");
    QTest::newRow("FilterTexts::And") << FilterTexts::And << QStringLiteral("AND");
    QTest::newRow("FilterTexts::Or") << FilterTexts::Or << QStringLiteral("OR");
    QTest::newRow("FilterTexts::Not") << FilterTexts::Not << QStringLiteral("not");
    QTest::newRow("FilterTexts::Blank") << FilterTexts::Blank << QStringLiteral("blank");
    QTest::newRow("FilterTexts::Blanks") << FilterTexts::Blanks << QStringLiteral("e' vuoto");
    QTest::newRow("FilterTexts::NonBlanks") << FilterTexts::NonBlanks << QStringLiteral("non e' vuoto");
    QTest::newRow("FilterTexts::BeginsWith") << FilterTexts::BeginsWith << QStringLiteral("comincia con");
    QTest::newRow("FilterTexts::NotBeginsWith") << FilterTexts::NotBeginsWith << QStringLiteral("non comincia con");
    QTest::newRow("FilterTexts::EndsWith") << FilterTexts::EndsWith << QStringLiteral("finisce con");
    QTest::newRow("FilterTexts::NotEndsWith") << FilterTexts::NotEndsWith << QStringLiteral("non finisce con");
    QTest::newRow("FilterTexts::Contains") << FilterTexts::Contains << QStringLiteral("contiene");
    QTest::newRow("FilterTexts::NotContains") << FilterTexts::NotContains << QStringLiteral("non contiene");
    QTest::newRow("FilterTexts::DropDownAll") << FilterTexts::DropDownAll << QStringLiteral("(Tutti)");
    QTest::newRow("FilterTexts::DropDownCustom") << FilterTexts::DropDownCustom << QStringLiteral("(Personalizza...)");
    QTest::newRow("FilterTexts::DropDownBlanks") << FilterTexts::DropDownBlanks << QStringLiteral("(Vuoti)");
    QTest::newRow("FilterTexts::DropDownNonBlanks") << FilterTexts::DropDownNonBlanks << QStringLiteral("(NonVuoti)");
    QTest::newRow("GridTexts::DeleteConfirmationCaption") << GridTexts::DeleteConfirmationCaption << QStringLiteral("Confirm");
    QTest::newRow("GridTexts::DeleteRecord") << GridTexts::DeleteRecord << QStringLiteral("Delete record?");
    QTest::newRow("GridTexts::DeleteSelectedRecords") << GridTexts::DeleteSelectedRecords << QStringLiteral("Delete all selected records?");
    QTest::newRow("GridTexts::NoDataToDisplay") << GridTexts::NoDataToDisplay << QStringLiteral("<Nessuna riga da mostrare>");
    QTest::newRow("GridTexts::NewItemRow") << GridTexts::NewItemRow << QStringLiteral("Click here to add a new row");
    QTest::newRow("GridTexts::FilterIsEmpty") << GridTexts::FilterIsEmpty << QStringLiteral("<Nessun filtro>");
    QTest::newRow("GridTexts::CustomizationCaption") << GridTexts::CustomizationCaption << QStringLiteral("Customization");
    QTest::newRow("GridTexts::CustomizationColumns") << GridTexts::CustomizationColumns << QStringLiteral("Columns");
    QTest::newRow("GridTexts::GroupByBoxHint") << GridTexts::GroupByBoxHint << QStringLiteral("Per raggruppare per una colonna trascinarla qui..");
    QTest::newRow("GridTexts::FilterCustomize") << GridTexts::FilterCustomize << QStringLiteral("Filtra...");
    QTest::newRow("GridTexts::QuickColumnCustomizationHint") << GridTexts::QuickColumnCustomizationHint << QStringLiteral("Click here to select visible columns");
    QTest::newRow("GridTexts::CustomizationBands") << GridTexts::CustomizationBands << QStringLiteral("Bands");
    QTest::newRow("GridTexts::QuickBandCustomizationHint") << GridTexts::QuickBandCustomizationHint << QStringLiteral("Click here to select visible bands");
    QTest::newRow("GridTexts::CustomizationRows") << GridTexts::CustomizationRows << QStringLiteral("Rows");
    QTest::newRow("GridTexts::ExportGridViewMissing") << GridTexts::ExportGridViewMissing << QStringLiteral("Grid view does not exist");
    QTest::newRow("GridTexts::ExportActiveLevelMissing") << GridTexts::ExportActiveLevelMissing << QStringLiteral("Active grid level does not exist");
    QTest::newRow("GridTexts::CannotCreateExportFile") << GridTexts::CannotCreateExportFile << QStringLiteral("Can't create the export output file");
}

void TestUcxTranslate::everyNamedTextReadsItsReplacement()
{
    QFETCH(ComponentText, text);
    QFETCH(QString, shown);

    QCOMPARE(ComponentTexts::text(text), shown);
}

void TestUcxTranslate::andAndOrReadInCapitals_data()
{
    QTest::addColumn<ComponentText>("text");
    QTest::addColumn<QString>("shown");

    QTest::newRow("group AND") << FilterControlTexts::GroupAnd << QStringLiteral("AND");
    QTest::newRow("custom dialog AND") << FilterControlTexts::CustomFilterAnd << QStringLiteral("AND");
    QTest::newRow("filter text and") << FilterTexts::And << QStringLiteral("AND");
    QTest::newRow("group OR") << FilterControlTexts::GroupOr << QStringLiteral("OR");
    QTest::newRow("custom dialog OR") << FilterControlTexts::CustomFilterOr << QStringLiteral("OR");
    QTest::newRow("filter text or") << FilterTexts::Or << QStringLiteral("OR");
    QTest::newRow("NOT AND keeps its own entry") << FilterControlTexts::GroupNotAnd << QStringLiteral("NOT AND");
}

void TestUcxTranslate::andAndOrReadInCapitals()
{
    QFETCH(ComponentText, text);
    QFETCH(QString, shown);

    QCOMPARE(ComponentTexts::text(text), shown);
}

void TestUcxTranslate::sharedEntriesKeepTheirFirstSpelling()
{
    QCOMPARE(ComponentTexts::replacementKey(QStringLiteral("and")), QStringLiteral("AND"));
    QCOMPARE(ComponentTexts::replacementKey(QStringLiteral("or")), QStringLiteral("OR"));
    QCOMPARE(ComponentTexts::replacementKey(QStringLiteral("NOT")), QStringLiteral("not"));
}

void TestUcxTranslate::textsTheTableDoesNotNameStayEnglish_data()
{
    QTest::addColumn<ComponentText>("text");
    QTest::addColumn<QString>("shown");

    QTest::newRow("custom filter caption") << FilterControlTexts::CustomFilterCaption << QStringLiteral("Custom Filter");
    QTest::newRow("last week") << FilterTexts::LastWeek << QStringLiteral("is last week");
    QTest::newRow("next year") << FilterTexts::NextYear << QStringLiteral("is next year");
    QTest::newRow("calendar Today") << EditorTexts::DateToday << QStringLiteral("Today");
    QTest::newRow("calendar Clear") << EditorTexts::DateClear << QStringLiteral("Clear");
    QTest::newRow("calendar Now") << EditorTexts::DateNow << QStringLiteral("Now");
    QTest::newRow("calendar OK, shared with the dialogs") << EditorTexts::DateOk << QStringLiteral("OK");
    QTest::newRow("invalid date") << EditorTexts::InvalidDate << QStringLiteral("Invalid Date");
    QTest::newRow("customisation form") << GridTexts::CustomizationCaption << QStringLiteral("Customization");
    QTest::newRow("export error") << GridTexts::CannotCreateExportFile
                                  << QStringLiteral("Can't create the export output file");
}

void TestUcxTranslate::textsTheTableDoesNotNameStayEnglish()
{
    QFETCH(ComponentText, text);
    QFETCH(QString, shown);

    QCOMPARE(ComponentTexts::text(text), shown);
}

void TestUcxTranslate::fileTypeListKeepsItsPattern()
{
    const QStringList parts = ComponentTexts::text(FilterControlTexts::FileTypes).split(u'|');
    QCOMPARE(parts, QStringList({QStringLiteral("Filters ( *.flt )"), QStringLiteral("*.flt")}));
    QCOMPARE(ComponentTexts::text(FilterControlTexts::DefaultExtension), QStringLiteral("flt"));
}

void TestUcxTranslate::composedTexts()
{
    const QString caption = ComponentTexts::text(FilterControlTexts::FilterBuilderCaptionFormat)
                                .arg(ComponentTexts::text(FilterControlTexts::FilterBuilderCaption),
                                     ComponentTexts::text(FilterControlTexts::UntitledFileName));
    QCOMPARE(caption, QStringLiteral("Generazione filtro - [untitled.flt]"));

    const QString use = ComponentTexts::text(FilterControlTexts::WildcardUse);
    QCOMPARE(use + QStringLiteral(" _ ") + ComponentTexts::text(FilterControlTexts::SingleCharacterHint),
             QStringLiteral("Usa _ per rappresentare ogni singolo carattere"));
    QCOMPARE(use + QStringLiteral(" % ") + ComponentTexts::text(FilterControlTexts::AnySeriesHint),
             QStringLiteral("Usa % per rappresentare qualsiasi serie di caratteri"));
}

void TestUcxTranslate::installingTwiceChangesNothing()
{
    installComponentTexts();

    QCOMPARE(ComponentTexts::replacementCount(), 86);
    QCOMPARE(ComponentTexts::text(GridTexts::GroupByBoxHint),
             QStringLiteral("Per raggruppare per una colonna trascinarla qui.."));
    QCOMPARE(ComponentTexts::text(FilterTexts::And), QStringLiteral("AND"));
}

QTEST_GUILESS_MAIN(TestUcxTranslate)
#include "tst_ucxtranslate.moc"
