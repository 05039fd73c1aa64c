#include "i18n/UCXTRANSLATE.h"

#include "platform/texts/ComponentTexts.h"
#include "platform/texts/FilterControlTexts.h"
#include "platform/texts/FilterTexts.h"
#include "platform/texts/GridTexts.h"

namespace {

struct Translation
{
    ComponentText text;
    const char *replacement; // ASCII: an accented vowel is written as vowel and apostrophe
};

// Registered in this order. Some rows set the default again or only change its case: they are
// kept so that the table says, for every text it names, what the user reads.
constexpr Translation translations[] = {
    {FilterControlTexts::GroupAnd, "AND"},
    {FilterControlTexts::GroupOr, "OR"},
    {FilterControlTexts::GroupNotAnd, "NOT AND"},
    {FilterControlTexts::GroupNotOr, "NOT OR"},
    {FilterControlTexts::TopRowLabel, "Filtra"},
    {FilterControlTexts::AddCondition, "Aggiungi una &Condizione"},
    {FilterControlTexts::AddGroup, "Aggiungi &Gruppo"},
    {FilterControlTexts::RemoveRow, "&Rimuovi Riga"},
    {FilterControlTexts::ClearAll, "Azzera tutto"},
    {FilterControlTexts::AddConditionHint, "premi qui per aggiungere una nuova condizione"},
    {FilterControlTexts::NestedGroupCaption, "<Sottogruppo>"},
    {FilterControlTexts::RootCaption, "<Gruppo principale>"},
    {FilterControlTexts::EmptyValue, "<vuoto>"},
    {FilterControlTexts::CannotBuildFilter, "Can't build filter from source"},
    {FilterControlTexts::CustomFilterCaption, "Custom Filter"},
    {FilterControlTexts::InvalidValue, "Valore non valido"},
    {FilterControlTexts::WildcardUse, "Usa"},
    {FilterControlTexts::SingleCharacterHint, "per rappresentare ogni singolo carattere"},
    {FilterControlTexts::AnySeriesHint, "per rappresentare qualsiasi serie di caratteri"},
    {FilterControlTexts::CustomFilterAnd, "AND"},
    {FilterControlTexts::CustomFilterOr, "OR"},
    {FilterControlTexts::ShowRowsWhere, "Mostra le righe dove:"},
    {FilterControlTexts::FilterBuilderCaption, "Generazione filtro"},
    {FilterControlTexts::UntitledFileName, "untitled.flt"},
    {FilterControlTexts::OpenDialogTitle, "Apri un filtro esistente"},
    {FilterControlTexts::SaveDialogTitle, "Salva in un file il filtro attivo"},
    {FilterControlTexts::SaveAs, "&Salva come..."},
    {FilterControlTexts::Open, "A&pri..."},
    {FilterControlTexts::Apply, "&Applica"},
    {FilterControlTexts::Ok, "OK"},
    {FilterControlTexts::Cancel, "Annulla"},
    {FilterControlTexts::DefaultExtension, "flt"},
    {FilterControlTexts::FileTypes, "Filters ( *.flt )|*.flt"},
    {FilterTexts::Equal, "e' uguale a"},
    {FilterTexts::NotEqual, "e' diverso da"},
    {FilterTexts::Less, "e' minore di"},
    {FilterTexts::LessEqual, "e' minore o uguale a"},
    {FilterTexts::Greater, "e' maggiore di"},
    {FilterTexts::GreaterEqual, "e' maggiore o uguale a"},
    {FilterTexts::Like, "like"},
    {FilterTexts::NotLike, "not like"},
    {FilterTexts::Between, "nel range tra"},
    {FilterTexts::NotBetween, "fuori dal range tra"},
    {FilterTexts::In, "incluso"},
    {FilterTexts::NotIn, "non incluso"},
    {FilterTexts::Yesterday, "e' ieri"},
    {FilterTexts::Today, "e' oggi"},
    {FilterTexts::Tomorrow, "e' domani"},
    {FilterTexts::LastWeek, "is last week"},
    {FilterTexts::LastMonth, "is last month"},
    {FilterTexts::LastYear, "is last year"},
    {FilterTexts::ThisWeek, "is this week"},
    {FilterTexts::ThisMonth, "is this month"},
    {FilterTexts::ThisYear, "is this year"},
    {FilterTexts::NextWeek, "is next week"},
    {FilterTexts::NextMonth, "is next month"},
    {FilterTexts::NextYear, "is next year"},
    {FilterTexts::And, "AND"},
    {FilterTexts::Or, "OR"},
    {FilterTexts::Not, "not"},
    {FilterTexts::Blank, "blank"},
    {FilterTexts::Blanks, "e' vuoto"},
    {FilterTexts::NonBlanks, "non e' vuoto"},
    {FilterTexts::BeginsWith, "comincia con"},
    {FilterTexts::NotBeginsWith, "non comincia con"},
    {FilterTexts::EndsWith, "finisce con"},
    {FilterTexts::NotEndsWith, "non finisce con"},
    {FilterTexts::Contains, "contiene"},
    {FilterTexts::NotContains, "non contiene"},
    {FilterTexts::DropDownAll, "(Tutti)"},
    {FilterTexts::DropDownCustom, "(Personalizza...)"},
    {FilterTexts::DropDownBlanks, "(Vuoti)"},
    {FilterTexts::DropDownNonBlanks, "(NonVuoti)"},
    {GridTexts::DeleteConfirmationCaption, "Confirm"},
    {GridTexts::DeleteRecord, "Delete record?"},
    {GridTexts::DeleteSelectedRecords, "Delete all selected records?"},
    {GridTexts::NoDataToDisplay, "<Nessuna riga da mostrare>"},
    {GridTexts::NewItemRow, "Click here to add a new row"},
    {GridTexts::FilterIsEmpty, "<Nessun filtro>"},
    {GridTexts::CustomizationCaption, "Customization"},
    {GridTexts::CustomizationColumns, "Columns"},
    {GridTexts::GroupByBoxHint, "Per raggruppare per una colonna trascinarla qui.."},
    {GridTexts::FilterCustomize, "Filtra..."},
    {GridTexts::QuickColumnCustomizationHint, "Click here to select visible columns"},
    {GridTexts::CustomizationBands, "Bands"},
    {GridTexts::QuickBandCustomizationHint, "Click here to select visible bands"},
    {GridTexts::CustomizationRows, "Rows"},
    {GridTexts::ExportGridViewMissing, "Grid view does not exist"},
    {GridTexts::ExportActiveLevelMissing, "Active grid level does not exist"},
    {GridTexts::CannotCreateExportFile, "Can't create the export output file"},
};

} // namespace

void installComponentTexts()
{
    for (const Translation &t : translations)
        ComponentTexts::registerReplacement(t.text, QString::fromLatin1(t.replacement));
}
