#pragma once

// What Leafwright makes, as plain data: the ten brochure fields, the template
// it fills, the files a run works with and the document it hands to the user.
// Everything that needs one of these facts reads it from here.

#include <array>

namespace lw {

// One brochure field.
struct BrochureField {
    // Its element in the main window's field array, the suffix of its
    // settings key and its place in the order the template is filled.
    int index;
    // The placeholder in the template, as written there.
    const char* token;
    // The label shown beside the field.
    const char* caption;
    // Its key in the settings store.
    const char* key;
    // Its place top to bottom, left to right on the main window (0 first),
    // which is also its tab order and the order clear and sample visit it in.
    int screenPosition;
    // The example company's value.
    const char* sample;
    // Its column in a list of companies for the command line.
    const char* column;
    // The most characters a list of companies may give it. The window takes
    // any length; a list comes from elsewhere, and a value longer than this
    // is far more likely a shifted column or a stray quote than a company's
    // real name or address.
    int listLimit;
};

inline constexpr int kFieldCount = 10;

// The fields in index order, the order in which the template is filled.
inline constexpr std::array<BrochureField, kFieldCount> kPlaceholderTable{{
    {0, "[CompanyName]", "Company Name:", "Text1_0", 0, "Tessaly", "company_name", 200},
    {1, "[City]", "City:", "Text1_1", 4, "Marshbrooke", "city", 100},
    {2, "[Address2]", "Address Line 2:", "Text1_2", 3, "Apt 7", "address_line_2", 200},
    {3, "[PhoneNo]", "Phone No.:", "Text1_3", 7, "802-555-0147", "phone", 50},
    {4, "[FaxNo]", "Fax No.:", "Text1_4", 8, "802-555-0182", "fax", 50},
    {5, "[EmailAddress]", "Email Address:", "Text1_5", 9, "support@tessaly.com", "email", 254},
    {6, "[StreetAddress]", "Address Line 1:", "Text1_6", 2, "417 Birchwoods Rd", "address_line_1",
     200},
    {7, "[TagLine]", "Tag Line:", "Text1_7", 1, "Little Tool Shed", "tag_line", 300},
    {8, "[ST]", "State:", "Text1_8", 5, "VT", "state", 50},
    {9, "[ZIPCode]", "Zip Code:", "Text1_9", 6, "05412", "zip_code", 20},
}};

namespace product_detail {
constexpr std::array<int, kFieldCount> screenOrder() {
    std::array<int, kFieldCount> order{};
    for (const BrochureField& field : kPlaceholderTable)
        order[std::size_t(field.screenPosition)] = field.index;
    return order;
}
constexpr bool isWellFormed() {
    std::array<bool, kFieldCount> placed{};
    for (int i = 0; i < kFieldCount; ++i) {
        const BrochureField& field = kPlaceholderTable[std::size_t(i)];
        if (field.index != i || field.screenPosition < 0 || field.screenPosition >= kFieldCount ||
            placed[std::size_t(field.screenPosition)])
            return false;
        placed[std::size_t(field.screenPosition)] = true;
    }
    return true;
}
} // namespace product_detail

static_assert(product_detail::isWellFormed(),
              "every field sits at its own index and has a screen place of its own");

// Field indices in screen order.
inline constexpr std::array<int, kFieldCount> kScreenOrder = product_detail::screenOrder();

// Where the fields are kept: application and section of the settings store.
inline constexpr auto kSettingsApplication = "Tessaly";
inline constexpr auto kSettingsSection = "Leafwright";

// The template compiled into the program, and the name it is written under
// in the working folder for the engine to open.
inline constexpr auto kTemplateResource = ":/leafwright/brochure.dot";
inline constexpr auto kTemplateFileName = "template.dot";

// The filled document: "tmpout", eight digits and this extension in the
// working folder, written by the engine with this export filter.
inline constexpr auto kWorkingDocumentPrefix = "tmpout";
inline constexpr auto kWorkingDocumentExtension = ".doc";
inline constexpr auto kWorkingDocumentFilter = "MS Word 97";

// The picture of the page on its way from the clipboard to the preview.
inline constexpr auto kSnapshotFileName = "temp.bmp";

// How the user is asked where the brochure goes.
inline constexpr auto kSaveDialogTitle = "Save File";
// The first filter is the default; each is "Description (*.ext)|*.ext".
inline constexpr auto kSaveDialogFilter =
    "Word Files (*.doc)|*.doc|PDF Files (*.pdf)|*.pdf|PDF for a print shop (*.pdf)|*.pdf|"
    "PDF for a print shop, with crop and fold marks (*.pdf)|*.pdf";
// The position of the PDF filter among them, and the extension that also
// asks for a PDF whatever filter was chosen.
inline constexpr int kPdfFilterIndex = 1;
inline constexpr auto kPdfExtension = ".pdf";
// The positions of the filters that ask for a PDF for a print shop, without
// and with marks.
inline constexpr int kPrintShopFilterIndex = 2;
inline constexpr int kPrintShopMarksFilterIndex = 3;

// The field whose value names the brochure: the title of its PDF.
inline constexpr int kTitleFieldIndex = 0;

} // namespace lw
