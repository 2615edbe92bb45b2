// The About window: the product title and the two links to the maker.
#pragma once

#include "platform/ui/controls.h"
#include "platform/ui/form.h"

class About : public platform::FormBase {
 public:
  About();

  static const QString kProductTitle;  // "Mellowdex Professional Zendra Edition 2004"
  static const QString kMailAddress;   // the maker's mail address

  void Command1_Click();
  void Label1_Click();
  void Label2_Click();

  platform::Label Label3{this, client(), "Label3", kProductTitle};
  platform::Label Label1{this, client(), "Label1", ""};
  platform::Label Label2{this, client(), "Label2", kMailAddress};
  platform::CommandButton Command1{this, client(), "Command1", "&OK"};
};
