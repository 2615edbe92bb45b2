// The About window: its texts, its two links and its OK button.
#include "main_window_fixture.h"

#include "windows/About.h"

TEST_F(MainWindowTest, AboutShowsTheTitleAndOpensTheMakersLinks) {
  Form1& f = start();
  bool checked = false;
  prompts.onModal([&](platform::FormBase& window) {
    auto* about = dynamic_cast<About*>(&window);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->Caption(), "");
    EXPECT_EQ(about->Label3.Caption(), "Mellowdex Professional Zendra Edition 2004");
    EXPECT_EQ(about->Label1.Caption(), "www.mellowdex.example");
    EXPECT_EQ(about->Label2.Caption(), "mail@mellowdex.example");
    EXPECT_EQ(about->Command1.Caption(), "&OK");
    testsupport::clickOn(about->Label1.widget());
    testsupport::clickOn(about->Label2.widget());
    EXPECT_TRUE(about->isLoaded());  // the links leave the window open
    press(about->Command1);
    EXPECT_FALSE(about->isLoaded());
    checked = true;
  });
  choose(f.mnuAbout);
  EXPECT_TRUE(checked);
  EXPECT_EQ(prompts.shellOpened,
            (std::vector<QString>{"http://www.mellowdex.example", "mailto:mail@mellowdex.example"}));
  EXPECT_EQ(prompts.callsOf("modal").size(), 1u);
}

TEST_F(MainWindowTest, AboutOffersAnOkThatReachesItsHandler) {
  start();
  EXPECT_EQ(buttonsNotWiredIn<About>(form->mnuAbout, {&About::Command1}), "");
}
