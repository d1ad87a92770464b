#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "korvane/controls/shell/common/shelllocator.h"
#include "korvane/host/Component.h"
#include "korvane/host/Exceptions.h"
#include "korvane/host/FormFile.h"
#include "korvane/host/PropInfo.h"
#include "korvane/host/Streams.h"

using namespace korvane;

namespace {

enum TTestMode : std::uint8_t { tmFirst, tmSecond, tmThird };
enum TTestOption : std::uint8_t { toOne, toTwo, toThree };
using TTestOptions = TSet<TTestOption>;

std::vector<std::string> loadLog;

class TTestWidget : public TComponent {
public:
  explicit TTestWidget(TComponent* owner) : TComponent(owner) {}
  ~TTestWidget() override { ++freed; }
  static int freed;

  int GetWidth() const { return width_; }
  void SetWidth(int v) {
    width_ = v;
    loadingSeenBySetter = GetComponentState().Contains(csLoading);
  }
  bool GetVisible() const { return visible_; }
  void SetVisible(bool v) { visible_ = v; }
  TTestMode GetMode() const { return mode_; }
  void SetMode(TTestMode v) { mode_ = v; }
  TTestOptions GetOptions() const { return options_; }
  void SetOptions(TTestOptions v) { options_ = v; }
  std::string GetCaption() const { return caption_; }
  void SetCaption(const std::string& v) { caption_ = v; }
  TTestWidget* GetPartner() const { return partner_; }
  void SetPartner(TTestWidget* v) { partner_ = v; }
  TZQShellLocator* GetFolder() const { return folder_.get(); }
  int GetSecret() const { return secret_; }
  void SetSecret(int v) { secret_ = v; }

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  bool loadingSeenBySetter = false;

protected:
  void Loaded() override {
    TComponent::Loaded();
    if (caption_ == "fail in Loaded") throw Exception("Loaded failed");
    loadLog.push_back(GetName() + (partner_ ? "->" + partner_->GetName() : std::string()));
  }

private:
  int width_ = 100;
  bool visible_ = true;
  TTestMode mode_ = tmFirst;
  TTestOptions options_ = {toOne};
  std::string caption_;
  TTestWidget* partner_ = nullptr;
  std::unique_ptr<TZQShellLocator> folder_ = std::make_unique<TZQShellLocator>();
  int secret_ = 0;
};
int TTestWidget::freed = 0;

const TClassInfo& TTestWidget::StaticClassInfo() {
  static const TClassInfo info = TPublish<TTestWidget>("TTestWidget", &TComponent::StaticClassInfo())
                                     .Creatable()
                                     .Int("Width", &TTestWidget::GetWidth, &TTestWidget::SetWidth, 100)
                                     .Bool("Visible", &TTestWidget::GetVisible, &TTestWidget::SetVisible, true)
                                     .Enum("Mode", &TTestWidget::GetMode, &TTestWidget::SetMode, tmFirst,
                                           {"tmFirst", "tmSecond", "tmThird"})
                                     .Set("Options", &TTestWidget::GetOptions, &TTestWidget::SetOptions,
                                          TTestOptions{toOne}.Mask(), {"toOne", "toTwo", "toThree"})
                                     .Str("Caption", &TTestWidget::GetCaption, &TTestWidget::SetCaption)
                                     .Ref("Partner", &TTestWidget::GetPartner, &TTestWidget::SetPartner)
                                     .Object("Folder", &TTestWidget::GetFolder)
                                     .Int("Secret", &TTestWidget::GetSecret, &TTestWidget::SetSecret, 0)
                                     .StoredWhen([](const TTestWidget& w) { return w.GetSecret() != 13; })
                                     .Done();
  return info;
}

struct Registered {
  Registered() { RegisterClass(TTestWidget::StaticClassInfo()); }
} registered;

class FormFile : public ::testing::Test {
protected:
  void SetUp() override {
    loadLog.clear();
    TTestWidget::freed = 0;
  }
};

}  // namespace

TEST_F(FormFile, WritesOnlyStoredNonDefaultValues) {
  TTestWidget root(nullptr);
  root.SetName("Form1");
  EXPECT_EQ(ComponentToText(&root), "object Form1: TTestWidget\r\nend\r\n");
  root.SetWidth(-5);
  root.SetVisible(false);
  root.SetMode(tmThird);
  root.SetOptions({toTwo, toThree});
  root.SetCaption("It's\r\nhere");
  root.SetSecret(13);  // not stored for this value
  root.GetFolder()->SetCSIDL(csidlDrives);
  EXPECT_EQ(ComponentToText(&root),
            "object Form1: TTestWidget\r\n"
            "  Width = -5\r\n"
            "  Visible = False\r\n"
            "  Mode = tmThird\r\n"
            "  Options = [toTwo, toThree]\r\n"
            "  Caption = 'It''s'#13#10'here'\r\n"
            "  Folder.Pidl = {\r\n"
            "    0111}\r\n"
            "end\r\n");
}

TEST_F(FormFile, RoundTripCreatesChildrenResolvesLinksAndCallsLoadedInOrder) {
  TTestWidget source(nullptr);
  source.SetName("Form1");
  auto* a = new TTestWidget(&source);
  a->SetName("A");
  auto* b = new TTestWidget(&source);
  b->SetName("B");
  a->SetPartner(b);  // a forward link: B is read after A
  b->SetPartner(&source);
  b->SetCaption("bee");
  b->GetFolder()->SetPathName("C:\\");
  const std::string text = ComponentToText(&source);

  TTestWidget target(nullptr);
  TStringStream stream(text);
  ReadComponentText(stream, &target);
  EXPECT_EQ(target.GetName(), "Form1");
  ASSERT_EQ(target.GetComponentCount(), 2);
  auto* ra = dynamic_cast<TTestWidget*>(target.FindComponent("A"));
  auto* rb = dynamic_cast<TTestWidget*>(target.FindComponent("B"));
  ASSERT_TRUE(ra && rb);
  EXPECT_EQ(ra->GetPartner(), rb);
  EXPECT_EQ(rb->GetPartner(), &target);
  EXPECT_EQ(rb->GetCaption(), "bee");
  EXPECT_TRUE(rb->GetFolder()->IsEqual(b->GetFolder()));
  EXPECT_EQ(rb->GetFolder()->GetPathName(), "C:\\");
  // Loaded runs after every link is resolved, root first, in reading order.
  EXPECT_EQ(loadLog, (std::vector<std::string>{"Form1", "A->B", "B->Form1"}));
  for (TComponent* c : {static_cast<TComponent*>(&target), static_cast<TComponent*>(ra)})
    EXPECT_FALSE(c->GetComponentState().Contains(csLoading) || c->GetComponentState().Contains(csReading));
  EXPECT_EQ(ComponentToText(&target), text);
}

TEST_F(FormFile, SettersRunInTheLoadingStateAndLoadedClearsIt) {
  TTestWidget root(nullptr);
  TextToComponent("object R: TTestWidget\r\n  Width = 7\r\n  object C: TTestWidget\r\n    Width = 8\r\n  end\r\nend\r\n",
                  &root);
  auto* child = dynamic_cast<TTestWidget*>(root.FindComponent("C"));
  ASSERT_NE(child, nullptr);
  EXPECT_TRUE(root.loadingSeenBySetter);
  EXPECT_TRUE(child->loadingSeenBySetter);
  EXPECT_EQ(child->GetWidth(), 8);
  EXPECT_FALSE(child->GetComponentState().Contains(csLoading));
  root.SetWidth(9);
  EXPECT_FALSE(root.loadingSeenBySetter);
}

TEST_F(FormFile, FailuresRaiseReadErrorsAndFreeWhatWasCreated) {
  TTestWidget root(nullptr);
  const char* bad[] = {
      "object F: TTestWidget\r\n  object A: TTestWidget\r\n    Nope = 1\r\n  end\r\nend\r\n",
      "object F: TTestWidget\r\n  object A: TTestWidget\r\n  end\r\n  Mode = tmFourth\r\nend\r\n",
      "object F: TTestWidget\r\n  Width = 'text'\r\nend\r\n",
      "object F: TTestWidget\r\n  Folder.Pidl = {0011\r\nend\r\n",
      "object F: TTestWidget\r\n  Folder.Pidl = {00 0000 00}\r\nend\r\n",  // corrupt locator data
      "object F: TTestWidget\r\n  Width = 1\r\n",
  };
  for (const char* text : bad) {
    TTestWidget::freed = 0;
    EXPECT_THROW(TextToComponent(text, &root), EReadError) << text;
    EXPECT_EQ(root.GetComponentCount(), 0) << text;
    EXPECT_FALSE(root.GetComponentState().Contains(csLoading)) << text;
  }
  EXPECT_THROW(TextToComponent("object F: TTestWidget\r\n  object A: TMissing\r\n  end\r\nend\r\n", &root),
               EClassNotFound);
}

TEST_F(FormFile, ALoadedThatRaisesFailsTheReadAndLeavesNothing) {
  TTestWidget root(nullptr);
  const std::string text =
      "object F: TTestWidget\r\n  object A: TTestWidget\r\n  end\r\n"
      "  object B: TTestWidget\r\n    Caption = 'fail in Loaded'\r\n  end\r\n"
      "  object C: TTestWidget\r\n  end\r\nend\r\n";
  EXPECT_THROW(TextToComponent(text, &root), Exception);
  EXPECT_EQ(root.GetComponentCount(), 0);
  EXPECT_EQ(TTestWidget::freed, 3);
  EXPECT_EQ(loadLog, (std::vector<std::string>{"F", "A"}));  // C never got Loaded: it is gone
  EXPECT_FALSE(root.GetComponentState().Contains(csLoading) || root.GetComponentState().Contains(csReading));
}

TEST_F(FormFile, NumbersOutsideTheirRangeAreReadErrors) {
  TTestWidget root(nullptr);
  // 17 hex digits once escaped as std::out_of_range; 99999999999 once wrapped to 1215752191.
  for (const char* value : {"$10000000000000000", "99999999999", "-2147483649", "$100000000",
                            "99999999999999999999999"}) {
    const std::string text = std::string("object F: TTestWidget\r\n  Width = ") + value + "\r\nend\r\n";
    EXPECT_THROW(TextToComponent(text, &root), EReadError) << value;
    EXPECT_EQ(root.GetWidth(), 100) << value;
  }
  TextToComponent("object F: TTestWidget\r\n  Width = -2147483648\r\nend\r\n", &root);
  EXPECT_EQ(root.GetWidth(), INT32_MIN);
  TextToComponent("object F: TTestWidget\r\n  Width = $FFFFFFFF\r\nend\r\n", &root);
  EXPECT_EQ(root.GetWidth(), -1);  // a 32-bit pattern, as hex values of colours are written
}

TEST_F(FormFile, DeepNestingIsAReadErrorNotAStackOverflow) {
  TTestWidget root(nullptr);
  std::string text = "object F: TTestWidget\r\n";
  const int depth = 8192;
  for (int i = 0; i < depth; ++i) text += "object C" + std::to_string(i) + ": TTestWidget\r\n";
  for (int i = 0; i <= depth; ++i) text += "end\r\n";
  EXPECT_THROW(TextToComponent(text, &root), EReadError);
  EXPECT_EQ(root.GetComponentCount(), 0);
}

TEST_F(FormFile, ManySiblingsAreReadAndFoundByName) {
  TTestWidget root(nullptr);
  std::string text = "object F: TTestWidget\r\n";
  const int count = 4096;
  for (int i = 0; i < count; ++i) text += "object C" + std::to_string(i) + ": TTestWidget\r\nend\r\n";
  text += "end\r\n";
  TextToComponent(text, &root);
  ASSERT_EQ(root.GetComponentCount(), count);
  EXPECT_EQ(root.FindComponent("c4095"), root.GetComponent(count - 1));  // names ignore case
  EXPECT_EQ(root.FindComponent("C0"), root.GetComponent(0));
  root.GetComponent(0)->SetName("Renamed");
  EXPECT_EQ(root.FindComponent("C0"), nullptr);
  EXPECT_EQ(root.FindComponent("RENAMED"), root.GetComponent(0));
  EXPECT_THROW(root.GetComponent(1)->SetName("renamed"), EComponentError);
}
