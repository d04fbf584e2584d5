#include "support/LayoutChecks.h"

#include <cxxabi.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <typeinfo>
#include <vector>

#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"

namespace lantern {

namespace {

std::string KindOf(const TWinControl& Control) {
  const char* Mangled = typeid(Control).name();
  int Status = 0;
  std::unique_ptr<char, void (*)(void*)> Name(
      abi::__cxa_demangle(Mangled, nullptr, nullptr, &Status), std::free);
  std::string Kind = Status == 0 && Name ? Name.get() : Mangled;
  const std::string Space = "lantern::";
  return Kind.compare(0, Space.size(), Space) == 0 ? Kind.substr(Space.size()) : Kind;
}

bool Within(const TWinControl* Outer, const TWinControl* Control) {
  for (; Control; Control = Control->Parent())
    if (Control == Outer) return true;
  return false;
}

void CollectSheets(const TWinControl& Parent, std::vector<const TTabSheet*>& Sheets) {
  for (const TWinControl* c : Parent.Controls()) {
    if (auto* Sheet = dynamic_cast<const TTabSheet*>(c)) Sheets.push_back(Sheet);
    CollectSheets(*c, Sheets);
  }
}

// The letters of the controls shown with Page (none: the form has no pages), as Alt finds
// them, and the letters declared shared on the way.
void CollectLetters(const TWinControl& Parent, const TTabSheet* Page,
                    std::map<char, std::vector<const TWinControl*>>& Letters, std::string& Shared) {
  Shared += Parent.SharedAltLetters();
  for (const TWinControl* c : Parent.Controls()) {
    const bool Sheet = dynamic_cast<const TTabSheet*>(c) != nullptr;
    if (Sheet ? !Within(c, Page) : !c->Visible()) continue;
    auto* Captioned = dynamic_cast<const TCaptionControl*>(c);
    if (Captioned && !Sheet && !dynamic_cast<const TGroupBox*>(c))
      if (char Letter = AltLetter(Captioned->Caption())) Letters[Letter].push_back(c);
    CollectLetters(*c, Page, Letters, Shared);
  }
}

}  // namespace

std::string DescribeControl(const TWinControl& Control) {
  std::string Text = KindOf(Control);
  if (auto* Captioned = dynamic_cast<const TCaptionControl*>(&Control))
    Text += " \"" + Captioned->Caption() + "\"";
  else if (auto* Edit = dynamic_cast<const TEdit*>(&Control))
    Text += " \"" + Edit->Text() + "\"";
  Text += " at " + std::to_string(Control.Left()) + "," + std::to_string(Control.Top()) + " " +
          std::to_string(Control.Width()) + "x" + std::to_string(Control.Height());
  if (auto* Sheet = dynamic_cast<const TTabSheet*>(Control.Parent()))
    Text += " on page \"" + Sheet->Caption() + "\"";
  else if (auto* Box = dynamic_cast<const TGroupBox*>(Control.Parent()))
    Text += " in \"" + Box->Caption() + "\"";
  return Text;
}

void ExpectControlsInsideTheirParents(const TWinControl& Parent) {
  for (const TWinControl* c : Parent.Controls()) {
    EXPECT_TRUE(c->Left() >= 0 && c->Top() >= 0 && c->Left() + c->Width() <= Parent.ClientWidth() &&
                c->Top() + c->Height() <= Parent.ClientHeight())
        << DescribeControl(*c) << " leaves its parent's client area of " << Parent.ClientWidth()
        << "x" << Parent.ClientHeight();
    ExpectControlsInsideTheirParents(*c);
  }
}

void ExpectDistinctAltLetters(const TForm& Form) {
  std::vector<const TTabSheet*> Pages;
  CollectSheets(Form, Pages);
  if (Pages.empty()) Pages.push_back(nullptr);
  for (const TTabSheet* Page : Pages) {
    std::map<char, std::vector<const TWinControl*>> Letters;
    std::string Shared;
    CollectLetters(Form, Page, Letters, Shared);
    for (const auto& [Letter, Controls] : Letters) {
      const bool Declared = Shared.find(Letter) != std::string::npos;
      if ((Controls.size() > 1) == Declared) continue;
      std::string Names;
      for (const TWinControl* c : Controls) Names += "\n  " + DescribeControl(*c);
      ADD_FAILURE() << "Alt+" << Letter
                    << (Page ? " on page \"" + Page->Caption() + "\"" : std::string())
                    << (Declared ? " is declared shared but belongs to" : " is shared by") << ":"
                    << Names;
    }
    for (char Letter : Shared)
      EXPECT_TRUE(Letters.count(Letter)) << "Alt+" << Letter << " is declared shared but unused";
  }
}

}  // namespace lantern
