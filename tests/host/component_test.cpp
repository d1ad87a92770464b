#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "korvane/host/Component.h"
#include "korvane/host/Exceptions.h"

using namespace korvane;

namespace {

// Records what reaches it.
class TProbe : public TComponent {
public:
  TProbe(TComponent* owner, std::vector<std::string>* log) : TComponent(owner), log_(log) {}
  ~TProbe() override {
    if (log_) log_->push_back("free " + GetName());
  }
  TComponent* link = nullptr;

protected:
  void Notification(TComponent* c, TOperation op) override {
    TComponent::Notification(c, op);
    if (op == opRemove && c == link) {
      link = nullptr;
      if (log_) log_->push_back(GetName() + " lost link to " + c->GetName());
    }
  }

private:
  std::vector<std::string>* log_;
};

}  // namespace

TEST(TComponent, OwnerFreesItsComponentsAndSiblingsHearOfIt) {
  std::vector<std::string> log;
  auto* form = new TProbe(nullptr, &log);
  form->SetName("Form1");
  auto* a = new TProbe(form, &log);
  a->SetName("A");
  auto* b = new TProbe(form, &log);
  b->SetName("B");
  b->link = a;  // siblings learn of removals through the owner
  EXPECT_EQ(form->GetComponentCount(), 2);
  EXPECT_EQ(form->FindComponent("a"), a);
  EXPECT_EQ(b->GetComponentIndex(), 1);
  delete a;
  EXPECT_EQ(form->GetComponentCount(), 1);
  EXPECT_EQ(b->link, nullptr);
  delete form;
  // The form's own destructor runs first; the components it owns go after it.
  EXPECT_EQ(log, (std::vector<std::string>{"free A", "B lost link to A", "free Form1", "free B"}));
}

TEST(TComponent, FreeNotificationAcrossOwners) {
  std::vector<std::string> log;
  auto* formA = new TComponent(nullptr);
  auto* formB = new TComponent(nullptr);
  auto* user = new TProbe(formA, &log);
  user->SetName("User");
  auto* used = new TProbe(formB, nullptr);
  used->SetName("Used");
  user->link = used;
  used->FreeNotification(user);
  delete formB;
  EXPECT_EQ(user->link, nullptr);
  EXPECT_EQ(log, (std::vector<std::string>{"User lost link to Used"}));
  // A removed request is not answered.
  auto* other = new TProbe(nullptr, nullptr);
  user->link = other;
  other->FreeNotification(user);
  other->RemoveFreeNotification(user);
  delete other;
  EXPECT_NE(user->link, nullptr);
  user->link = nullptr;
  delete formA;
}

TEST(TComponent, NamesAreIdentifiersUniqueWithinTheOwner) {
  TComponent form(nullptr);
  auto* a = new TComponent(&form);
  a->SetName("Button1");
  auto* b = new TComponent(&form);
  try {
    b->SetName("button1");
    FAIL();
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), "A component named button1 already exists");
  }
  EXPECT_THROW(b->SetName("1abc"), EComponentError);
  EXPECT_THROW(b->SetName("a b"), EComponentError);
  b->SetName("Button2");
  a->SetName("BUTTON1");  // a case change of its own name is no clash
  EXPECT_EQ(a->GetName(), "BUTTON1");
}

TEST(TComponent, DestroyingAndDesigningStates) {
  struct TWatch : TComponent {
    using TComponent::TComponent;
    bool sawDestroying = false;
    void Notification(TComponent* c, TOperation op) override {
      TComponent::Notification(c, op);
      if (op == opRemove && GetOwner()) sawDestroying = GetOwner()->GetComponentState().Contains(csDestroying);
    }
  };
  auto* form = new TComponent(nullptr);
  form->SetDesigning(true);
  auto* watch = new TWatch(form);
  EXPECT_TRUE(watch->GetComponentState().Contains(csDesigning));  // inserted into a designing owner
  auto* victim = new TComponent(form);
  delete victim;
  EXPECT_FALSE(watch->sawDestroying);
  delete form;  // the remaining component is freed while the owner is destroying
}
