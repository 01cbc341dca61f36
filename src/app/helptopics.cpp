#include "app/helptopics.h"

#include <array>

namespace vellicor {
namespace {

struct HelpTopic {
    int contextId;
    const char* page;
};

// In topic order: the position in this table is the topic number.
constexpr std::array kTopics{
    HelpTopic{32771, "optimise.html"},        HelpTopic{32772, "report.html"},
    HelpTopic{57612, "sendmail.html"},        HelpTopic{32790, "header.html"},
    HelpTopic{32791, "units.html"},           HelpTopic{32799, "workflow.html"},
    HelpTopic{104, "tipoftheday.html"},       HelpTopic{131, "rolls.html"},
    HelpTopic{300, "selectunit.html"},        HelpTopic{303, "results.html"},
    HelpTopic{301, "parts.html"},             HelpTopic{304, "slits.html"},
    HelpTopic{141, "csvimport.html"},         HelpTopic{153, "editpattern.html"},
    HelpTopic{159, "cutsettings.html"},       HelpTopic{57667, "usinghelp.html"},
    HelpTopic{617, "autonames.html"},         HelpTopic{176, "inventory.html"},
    HelpTopic{178, "updateinventory.html"},   HelpTopic{871, "expression.html"},
    HelpTopic{614, "materials.html"},         HelpTopic{251, "printing.html"},
    HelpTopic{32800, "printing.html"},        HelpTopic{32801, "printing.html"},
    HelpTopic{57607, "printing.html"},        HelpTopic{57609, "printing.html"},
};

constexpr const char* kContentsPage = "index.html";

} // namespace

int HelpTopicOf(int contextId)
{
    const int id = contextId & 0xFFFF;
    for (std::size_t i = 0; i < kTopics.size(); ++i)
        if (kTopics[i].contextId == id)
            return static_cast<int>(i) + 1;
    return kHelpContents;
}

std::string HelpTopicPage(int topic)
{
    if (topic < 1 || topic > HelpTopicCount())
        return kContentsPage;
    return kTopics[topic - 1].page;
}

int HelpTopicCount()
{
    return static_cast<int>(kTopics.size());
}

} // namespace vellicor
