// Where each module panel puts its LCD menu line, its four keys and their
// captions, before the panel has a connection.
#include "modules/Kelb1_Panel.h"
#include "modules/Lyn1_Panel.h"
#include "modules/Nuva1_Panel.h"
#include "modules/Pelo_Panels.h"
#include "modules/Varn1_Panel.h"

#include <QLabel>
#include <QToolButton>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

namespace {

template <typename Panel>
std::function<QWidget*(QWidget*)> make(const char* name)
{
    return [name](QWidget* rack) { return new Panel(rack, rack, name, nullptr, 0); };
}

TEST(ModulePanelStrip, KeysLineAndCaptionsStandWhereEachPanelIsDrawn)
{
    const struct
    {
        const char* panel;
        std::function<QWidget*(QWidget*)> make;
        int leftKeys;
        int rightKeys;
        QRect line;
        QRect menuCaption;
        QRect parameterCaption; // null: none
    } cases[] = {
        {"Kelb1",
         make<TKelb1Panel>("KELB1"),
         146,
         370,
         {178, 38, 184, 30},
         {178, 74, 80, 16},
         {282, 74, 80, 16}},
        {"Lyn1", make<TLyn1Panel>("LYN1"), 110, 386, {142, 38, 236, 30}, {142, 74, 236, 16}, {}},
        // two readouts
        {"Nuva1",
         make<TNuva1Panel>("NUVA1"),
         212,
         436,
         {244, 38, 184, 30},
         {244, 74, 80, 16},
         {348, 74, 80, 16}},
        {"Varn1",
         make<TVarn1Panel>("VARN10"),
         142,
         366,
         {174, 38, 184, 30},
         {174, 74, 80, 16},
         {278, 74, 80, 16}},
        // eight lamps narrow the readout
        {"Pelo1",
         make<TPelo1Panel>("PELO1"),
         126,
         350,
         {158, 38, 184, 30},
         {158, 74, 80, 16},
         {262, 74, 80, 16}},
    };
    for (const auto& c : cases) {
        QWidget rack;
        QWidget* p = c.make(&rack);
        const int x[] = {c.leftKeys, c.leftKeys, c.rightKeys, c.rightKeys};
        for (int k = 0; k < 4; ++k) {
            auto* key = p->findChild<QToolButton*>(QString("SpeedButton%1").arg(k + 1));
            ASSERT_TRUE(key) << c.panel << k;
            EXPECT_EQ(key->geometry(), QRect(x[k], k % 2 == 0 ? 30 : 60, 24, 20)) << c.panel << k;
        }
        auto* line = p->findChild<QLabel*>("MenuString");
        ASSERT_TRUE(line) << c.panel;
        EXPECT_EQ(line->geometry(), c.line) << c.panel;
        auto* menu = p->findChild<QLabel*>("Label_Menu");
        ASSERT_TRUE(menu) << c.panel;
        EXPECT_EQ(menu->geometry(), c.menuCaption) << c.panel;
        EXPECT_EQ(menu->text(), "MENU") << c.panel;
        auto* parameter = p->findChild<QLabel*>("Label_Parameter");
        EXPECT_EQ(parameter != nullptr, !c.parameterCaption.isNull()) << c.panel;
        if (parameter) {
            EXPECT_EQ(parameter->geometry(), c.parameterCaption) << c.panel;
            EXPECT_EQ(parameter->text(), "PARAMETER") << c.panel;
        }
    }
}

} // namespace
