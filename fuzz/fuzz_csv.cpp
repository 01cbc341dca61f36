// Arbitrary file contents through layout detection, preview, mapping and import.
//
// Input: four control bytes (item count, answers to questions, actions, an action argument), a
// line of default texts separated by "|", a line of saved settings "delimiter|header and skip|
// column numbers|defaults" (none when empty), then the file content.

#include "csv/csvimport.h"
#include "platform/memorysettingsstore.h"
#include "platform/usermessages.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace vellicor;

class AnsweringMessages : public IUserMessages {
public:
    explicit AnsweringMessages(std::uint8_t answers) : answers_(answers) {}

    MessageAnswer Show(int, const std::vector<std::string>&, MessageButtons buttons, MessageIcon) override
    {
        if (buttons == MessageButtons::Ok)
            return MessageAnswer::Ok;
        const bool yes = (answers_ >> (asked_++ % 8)) & 1;
        return yes ? MessageAnswer::Yes : MessageAnswer::No;
    }

private:
    std::uint8_t answers_;
    unsigned asked_ = 0;
};

std::string_view TakeLine(std::string_view& data)
{
    const auto end = data.find('\n');
    const std::string_view line = data.substr(0, end);
    data.remove_prefix(end == std::string_view::npos ? data.size() : end + 1);
    return line;
}

std::vector<std::string> SplitBars(std::string_view text)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const auto bar = text.find('|', start);
        parts.emplace_back(text.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start));
        if (bar == std::string_view::npos)
            return parts;
        start = bar + 1;
    }
}

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void CheckState(const CCsvImport& import)
{
    Check(!import.Delimiter().empty());
    const auto [low, high] = import.SkipLinesRange();
    Check(low >= 0 && low <= high);
    Check(import.SkipLines() >= low && import.SkipLines() <= high);
    Check(import.Choices().size() >= import.Items().size());
    Check(import.Choices().size() == static_cast<std::size_t>(import.PreviewColumnCount()) + 1
          || import.Choices().size() == import.Items().size());
    Check(import.PreviewRows().size() <= static_cast<std::size_t>(CCsvImport::kMaxPreviewLines));
    for (const auto& row : import.PreviewRows())
        Check(row.size() == static_cast<std::size_t>(import.PreviewColumnCount()));
    for (std::size_t i = 0; i < import.Items().size(); ++i)
        Check(import.ImportColumn(i) >= 0 && static_cast<std::size_t>(import.ImportColumn(i)) < import.Choices().size());
}

void Run(const std::vector<std::string>& items, const std::vector<std::string>& defaults,
         std::string_view content, std::uint8_t answers, std::uint8_t actions, std::uint8_t argument,
         MemorySettingsStore& settings)
{
    AnsweringMessages messages(answers);
    const auto import = std::make_unique<CCsvImport>(items, items, "Import", "fuzz.csv", "Fuzz_Csv", settings, messages);
    import->SetContent(content);
    import->Open();
    CheckState(*import);
    for (std::size_t i = 0; i < items.size() && i < defaults.size(); ++i)
        import->SetDefaultText(i, defaults[i]);

    if (actions & 0x01)
        import->SelectDelimiter(static_cast<CCsvImport::Radio>(argument % 4));
    if (actions & 0x02)
        import->LeaveOtherBox(std::string(1, static_cast<char>(argument)));
    if (actions & 0x04)
        import->SetSkipLines(argument % 20 - 2);
    if (actions & 0x08)
        import->SetHasHeaders(!import->HasHeaders());
    if (actions & 0x10)
        for (std::size_t i = 0; i < items.size(); ++i)
            import->SetImportColumn(i, static_cast<int>((i * argument) % (import->Choices().size() + 2)) - 1);
    CheckState(*import);

    import->Accept();
    for (int r = 0; r < import->RowCount(); ++r)
        Check(import->Row(r).ends_with("::") || items.empty());
    if (actions & 0x20)
        import->SaveSettings();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return 0;
    const std::size_t itemCount = data[0] % 8;
    const std::uint8_t answers = data[1];
    const std::uint8_t actions = data[2];
    const std::uint8_t argument = data[3];
    std::string_view rest(reinterpret_cast<const char*>(data) + 4, size - 4);
    const std::vector<std::string> defaults = SplitBars(TakeLine(rest));
    const std::string_view saved = TakeLine(rest);

    std::vector<std::string> items;
    for (std::size_t i = 0; i < itemCount; ++i)
        items.push_back("Item" + std::to_string(i));

    MemorySettingsStore settings;
    if (!saved.empty()) {
        static const char* const kNames[] = {"DelimiterStr", "FirstHeaderSkipLines", "MappedColumnNos",
                                             "MappedColumnDefaults"};
        const auto values = SplitBars(saved);
        for (std::size_t i = 0; i < values.size() && i < 4; ++i)
            settings.WriteString("Fuzz_Csv", kNames[i], values[i]);
    }

    Run(items, defaults, rest, answers, actions, argument, settings);
    // What was saved must open again.
    if (actions & 0x20)
        Run(items, defaults, rest, answers, 0, argument, settings);
    return 0;
}
