// The labels page of the configuration wizard: the label editor, its checks and boxes, the
// start address fields, and the lab choice that decides what the page offers.

#include "BoxTexts.h"
#include "monitor/ConfigurationWizard.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vorn::monitor {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class LabelsPageTest : public ::testing::Test {
  protected:
    LabelsPageTest() {
        settings.SLAVEbase = 0x100;
        settings.SLAVEstart = 0;
        settings.SLAVEend = 0x3FF;
        settings.RAMstart = 0x10;
        settings.RAMend = 0x3FFF;
        EXPECT_FALSE(wizard.OnLabChoiceNext(LoadStore));
        page.OnSetActive(true);
    }
    std::vector<std::string> Boxes() { return testing::TakeBoxTexts(prompter); }

    isa::Settings settings;
    testing::ScriptedPrompter prompter;
    ConfigurationWizard wizard{settings, prompter, "VORN"};
    LabelsPage& page = wizard.labels;
};

TEST_F(LabelsPageTest, NoLabEndsTheProcessEveryShowingStartsOnTheFirstAndThePathsFollowTheFlags) {
    EXPECT_EQ(wizard.OnLabChoiceNext(-1), (Fault{"Error - no lab selected. REPORT TO ZUVO.", "VORN", 0}));
    EXPECT_FALSE(LabFlagsOf(4));

    ASSERT_FALSE(wizard.OnLabChoiceNext(SimpleSlave));
    EXPECT_FALSE(wizard.FpgaPathEnabled() || wizard.MemoryPathEnabled());
    settings.configureBit = true;
    ASSERT_FALSE(wizard.OnLabChoiceNext(ReadWrite));
    EXPECT_TRUE(wizard.FpgaPathEnabled() && wizard.MemoryPathEnabled());
    wizard.OnShow();
    EXPECT_EQ(wizard.lab, SimpleSlave);
    EXPECT_TRUE(wizard.state.flags.memoryLabels) << "the flags stay until the next Next";
}

TEST(WizardButtons, PagesSetTheirButtons) {
    using P = WizardPage;
    const std::pair<P, WizardButtons> full[] = {{P::LabChoice, {false, true, false}},
                                                {P::Labels, {true, true, false}},
                                                {P::Fpga, {true, true, false}},
                                                {P::Memory, {true, false, true}}};
    for (const auto& [page, buttons] : full) {
        EXPECT_EQ(ConfigurationWizard::Buttons(page, true), buttons);
        if (page != P::LabChoice) {
            EXPECT_EQ(ConfigurationWizard::Buttons(page, false), (WizardButtons{false, false, true}));
        }
    }
}

TEST_F(LabelsPageTest, TypedAddressesReadAsHexadecimal) {
    EXPECT_TRUE(page.InsertLabel(2, "a", "  0X1F"));
    EXPECT_TRUE(page.InsertLabel(2, "b", "0x2Fzz"));
    EXPECT_TRUE(page.InsertLabel(1, "c", "xyz")) << "no digits give 0";
    EXPECT_THAT(page.Lines(LabelKind::Memory), ElementsAre("a@0x1f", "b@0x2f"));
    EXPECT_THAT(page.Lines(LabelKind::Graphic), ElementsAre("c@0x0"));
    EXPECT_FALSE(page.InsertLabel(2, "d", "123456789")) << "beyond 32 bits is 0xFFFFFFFF";

    page.kind = 2; // the Insert button reads eleven characters of each field
    page.nameEdit.Set("ABCDEFGHIJKLMN");
    page.addressEdit.Set("000000004005");
    page.OnInsertLabel();
    EXPECT_THAT(page.Lines(LabelKind::Memory), ElementsAre("a@0x1f", "b@0x2f", "ABCDEFGHIJK@0x400"));
}

TEST_F(LabelsPageTest, EachKindChecksItsRangeBothEndsIncluded) {
    struct Case {
        int kind;
        const char* address;
        bool accepted;
    };
    for (const Case& c : {Case{0, "0", true}, Case{0, "3ff", true}, Case{0, "400", false},
                          Case{1, "1f", true}, Case{1, "20", false}, Case{2, "10", true}, Case{2, "f", false},
                          Case{2, "3fff", true}, Case{2, "4000", false}}) {
        const std::string name = "L" + std::to_string(c.kind) + c.address;
        EXPECT_EQ(page.InsertLabel(c.kind, name, c.address), c.accepted) << name;
        EXPECT_EQ(Boxes(), c.accepted ? std::vector<std::string>{}
                                      : std::vector<std::string>{"Address out of allowed range."})
            << name;
    }
}

TEST_F(LabelsPageTest, ANameStartsWithAnAsciiLetterAndIsUsedOncePerKind) {
    for (const char* name : {"1abc", "_x", "", " PC", "\xe4x"}) {
        EXPECT_FALSE(page.InsertLabel(0, name, "1")) << name;
        EXPECT_THAT(Boxes(), ElementsAre("Label name must start with a letter!"));
    }
    EXPECT_TRUE(page.InsertLabel(0, "X-1 2", "1")) << "only the first character is checked";
    EXPECT_TRUE(page.InsertLabel(2, "X-1 2", "20")) << "another kind";
    EXPECT_TRUE(page.InsertLabel(0, "x-1 2", "2")) << "names are case-sensitive";
    EXPECT_FALSE(page.InsertLabel(0, "X-1 2", "3"));
    EXPECT_THAT(Boxes(), ElementsAre("Label exists, delete previous one before trying again."));
}

TEST_F(LabelsPageTest, InsertingTheSelectedNameEditsTheLabelInPlace) {
    for (const char* name : {"A", "B", "C"})
        ASSERT_TRUE(page.InsertLabel(0, name, "1"));
    page.OnSelect(LabelKind::Slave, 1);
    EXPECT_TRUE(page.InsertLabel(0, "B", "22"));
    EXPECT_THAT(page.Lines(LabelKind::Slave), ElementsAre("A@0x1", "B@0x22", "C@0x1"));
    EXPECT_EQ(page.selection[0], -1) << "the old line went, and the selection with it";

    page.OnSelect(LabelKind::Slave, 0);
    EXPECT_FALSE(page.InsertLabel(0, "B", "5")) << "another line selected";
    EXPECT_THAT(Boxes(), ElementsAre("Label exists, delete previous one before trying again."));
}

TEST_F(LabelsPageTest, DeleteAndSelectWorkOnTheSelectedLineOfTheirOwnList) {
    ASSERT_TRUE(page.InsertLabel(1, "G0", "0"));
    ASSERT_TRUE(page.InsertLabel(1, "G1", "1"));
    ASSERT_TRUE(page.InsertLabel(0, "a@b", "4"));
    page.OnDeleteLabel(LabelKind::Graphic);
    page.OnSelect(LabelKind::Graphic, 0);
    page.OnDeleteLabel(LabelKind::Slave);
    EXPECT_EQ(page.model().Of(LabelKind::Graphic).size(), 2u) << "nothing selected, then another list";
    page.OnDeleteLabel(LabelKind::Graphic);
    EXPECT_TRUE(page.InsertLabel(1, "G2", "2"));
    EXPECT_THAT(page.Lines(LabelKind::Graphic), ElementsAre("G1@0x1", "G2@0x2")) << "new labels go last";

    EXPECT_THAT(page.Lines(LabelKind::Slave), ElementsAre("a@b@0x4"));
    EXPECT_EQ(page.model().Find(LabelKind::Slave, "a@b"), 0x104u) << "stored at the slave base";
    page.OnSelect(LabelKind::Graphic, 1);
    page.OnSelect(LabelKind::Slave, 0);
    EXPECT_EQ(page.nameEdit.text, "a@b");
    EXPECT_EQ(page.addressEdit.text, "0x4");
    EXPECT_EQ(page.kind, 0);
    EXPECT_EQ(page.selection, (std::array<int, 3>{0, -1, -1}));
    page.OnDeleteLabel(LabelKind::Slave);
    EXPECT_THAT(page.model().Of(LabelKind::Slave), IsEmpty());
}

TEST_F(LabelsPageTest, ClearAllEmptiesTheModelAndDeletesOnlyTheSelectedText) {
    ASSERT_TRUE(page.InsertLabel(0, "S", "1"));
    wizard.state.addresses = {0x120, 0x140, true, true};
    page.cpuRamEdit = {"0x00000020", 0, 10};
    page.laRamEdit = {"0x00000040", 0, 0};
    page.nameEdit = {"Label", 1, 3};
    page.OnClearAllLabels();
    EXPECT_TRUE(page.model().Empty());
    EXPECT_EQ(page.cpuRamEdit.text, "");
    EXPECT_EQ(page.laRamEdit.text, "0x00000040");
    EXPECT_EQ(page.nameEdit.text, "Lel");
    EXPECT_EQ(wizard.state.addresses.cpuRam, 0x120u) << "start addresses are not touched";
}

TEST_F(LabelsPageTest, StartFieldsAreCheckedAlignedAndStored) {
    const auto check = [&](const char* cpuRam, const char* laRam) {
        page.cpuRamEdit.Set(cpuRam);
        page.laRamEdit.Set(laRam);
        page.CheckStartAddresses();
        return Boxes();
    };
    EXPECT_THAT(check("45", "0x40"), ElementsAre("CPU RAM address has been aligned to 0x40."));
    EXPECT_EQ(page.cpuRamEdit.text, "0x00000040");
    EXPECT_EQ(wizard.state.addresses.cpuRam, 0x140u);
    EXPECT_EQ(wizard.state.addresses.laRam, 0x140u);
    EXPECT_TRUE(wizard.state.addresses.cpuRamSet && wizard.state.addresses.laRamSet);
    EXPECT_THAT(check("", "400"), ElementsAre("CPU RAM address not set! No register view.",
                                              "LA RAM Address out of allowed range, Registers NOT set."));
    EXPECT_EQ(page.laRamEdit.text, "");
    EXPECT_FALSE(wizard.state.addresses.cpuRamSet || wizard.state.addresses.laRamSet);
    EXPECT_THAT(check("fffff", ""), ElementsAre("CPU RAM Address out of allowed range, CPU RAM NOT set.",
                                                "LA RAM address not set! No Graphic view."));
    EXPECT_THAT(check("", "3"), ElementsAre("CPU RAM address not set! No register view.",
                                            "LA RAM address has been aligned to 0x0."));
}

TEST_F(LabelsPageTest, OnlyTheFieldsOfTheLabAreChecked) {
    ASSERT_FALSE(wizard.OnLabChoiceNext(SimpleSlave));
    page.OnSetActive(true);
    EXPECT_FALSE(page.GraphicControlsEnabled() || page.MemoryControlsEnabled());
    page.cpuRamEdit.Set("20");
    page.laRamEdit.Set("");
    page.CheckStartAddresses();
    EXPECT_THAT(Boxes(), IsEmpty());
    EXPECT_FALSE(wizard.state.addresses.laRamSet);
}

TEST_F(LabelsPageTest, ANewLabChoiceKeepsTheLabelsAndChecksSlaveOnce) {
    ASSERT_TRUE(page.InsertLabel(0, "PC", "40"));
    page.kind = 2;
    ASSERT_FALSE(wizard.OnLabChoiceNext(ReadWrite));
    page.OnSetActive(true);
    EXPECT_THAT(page.Lines(LabelKind::Slave), ElementsAre("PC@0x40")) << "the wizard run again keeps them";
    EXPECT_EQ(page.kind, 0);
    EXPECT_FALSE(wizard.state.flags.labChosen);
    page.kind = 2;
    page.OnSetActive(true); // back from the FPGA page
    EXPECT_EQ(page.kind, 2);
}

TEST_F(LabelsPageTest, AloneThePageShowsTheSetStartAddressesAsOffsets) {
    wizard.state.addresses = {0x120, 0x140, true, false};
    page.OnShow();
    page.OnSetActive(false);
    EXPECT_EQ(page.cpuRamEdit.text, "0x00000020");
    EXPECT_EQ(page.laRamEdit.text, "") << "LA RAM is not set";

    page.OnShow();
    page.OnSetActive(true);
    EXPECT_EQ(page.cpuRamEdit.text, "") << "the full wizard starts with empty fields";
    page.CheckStartAddresses();
    EXPECT_THAT(Boxes(), ElementsAre("CPU RAM address not set! No register view.",
                                     "LA RAM address not set! No Graphic view."));
    EXPECT_FALSE(wizard.state.addresses.cpuRamSet);
}

TEST_F(LabelsPageTest, BrowseKeepsTheFieldUnlessAFileIsChosen) {
    wizard.fpga.OnBrowse("old.bit");
    EXPECT_EQ(wizard.fpga.path, "old.bit");
    EXPECT_EQ(prompter.boxes.back().text, "BIT files (*.bit *.BIT);;All files (*.*)");
    prompter.fileAnswers.push_back("/lab/image");
    wizard.memory.OnBrowse("");
    EXPECT_EQ(wizard.memory.path, "/lab/image.cod");
}

} // namespace
} // namespace vorn::monitor
