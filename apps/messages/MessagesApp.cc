// The Messages app's classes and scripted session.
#include "apps/messages/MessagesApp.h"

#include "apps/messages/Balloons.h"

#include "platform/foundation/foundation.h"
#include "platform/objc/class_builder.h"

namespace {

struct Conversation {
  const char* name;
  const char* preview;
  const char* date;
};
constexpr Conversation kConversations[] = {
    {"Ada Lovelace", "The engine is ready for a first run tonight.", "9:12 AM"},
    {"Grace Hopper", "Found a moth in relay 70. Taped it in the log.", "8:47 AM"},
    {"Alan Turing", "Can a machine think? Let's discuss over tea.", "Yesterday"},
    {"Katherine Johnson", "Trajectory numbers check out. Go for launch.", "Yesterday"},
    {"Claude Shannon", "Juggling robot works. Information theory next.", "Monday"},
    {"Margaret Hamilton", "Priority displays saved the landing!", "Sunday"},
    {"Edsger Dijkstra", "Shortest path found. GOTO considered harmful.", "Saturday"},
};

// The stock handler refreshes the list when the app comes back; a count
// makes its running visible.
void SMSApplication_applicationDidBecomeActive(SMSApplication* self, SEL, id) { self->_activations++; }

Ref<UILabel> cellLabel(UIFont* font, UIColor* colour, NSInteger alignment) {
  Ref<UILabel> label = UIView::make<UILabel>(CGRectZero);
  label->setFont(font);
  label->setTextColor(colour);
  label->setTextAlignment(alignment);
  return label;
}

// The stock cell's labels sit on the cell itself: its content view keeps
// the plain cell's 44 points while a conversation row is 74 tall.
UITableViewCell* Cell_initWithStyle(CKConversationListCell* self, SEL, NSInteger style, NSString* identifier) {
  auto* cell = objc::as<CKConversationListCell>(objc::sendSuper<UITableViewCell*(NSInteger, NSString*)>(
      self, objc::classOf<UITableViewCell>(), "initWithStyle:reuseIdentifier:"_sel, style, identifier));
  if (!cell) return nullptr;
  cell->textLabel()->setHidden(YES);
  cell->setBackgroundColor(UIColor::whiteColor());
  UIColor* grey = UIColor::withWhite(0.56, 1);
  cell->_fromLabel = cellLabel(UIFont::boldSystemFont(16), UIColor::blackColor(), 0);
  cell->_dateLabel = cellLabel(UIFont::systemFont(13), grey, 2);
  cell->_summaryLabel = cellLabel(UIFont::systemFont(14), grey, 0);
  for (UILabel* label : {cell->_fromLabel.get(), cell->_dateLabel.get(), cell->_summaryLabel.get()})
    cell->addSubview(label);
  return cell;
}

void Cell_layoutSubviews(CKConversationListCell* self, SEL) {
  objc::sendSuper<void()>(self, objc::classOf<UITableViewCell>(), "layoutSubviews"_sel);
  CGFloat width = self->bounds().size.width;
  self->_fromLabel->setFrame(CGRectMake(24, 8, width - 120, 20));
  self->_dateLabel->setFrame(CGRectMake(width - 100, 8, 88, 18));
  self->_summaryLabel->setFrame(CGRectMake(24, 30, width - 36, 34));
}

struct CKConversationListController : UIViewController {
  static constexpr const char* kClassName = "CKConversationListController";
};

void List_loadView(CKConversationListController* self, SEL) {
  Ref<UITableView> table = UITableView::create(UIScreen::mainScreen()->bounds(), UITableViewStylePlain);
  table->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  table->_rowHeight = 74;
  table->_contentInsetTop = 64;
  table->setDataSource(self);
  self->setView(table);
}
void List_viewDidLoad(CKConversationListController* self, SEL) { objc::as<UITableView>(self->view())->reloadData(); }
NSInteger List_numberOfRows(CKConversationListController*, SEL, UITableView*, NSInteger) {
  return static_cast<NSInteger>(std::size(kConversations));
}
UITableViewCell* List_cellForRow(CKConversationListController*, SEL, UITableView*, NSIndexPath* path) {
  const Conversation& c = kConversations[path->row()];
  auto* cell = objc::as<CKConversationListCell>(
      objc::alloc<CKConversationListCell>()->initWithStyle(UITableViewCellStyleDefault, "Conversation"_ns));
  if (!cell) return nullptr;
  cell->_fromLabel->setText(NSString::withUTF8(c.name));
  cell->_summaryLabel->setText(NSString::withUTF8(c.preview));
  cell->_dateLabel->setText(NSString::withUTF8(c.date));
  return objc::as<UITableViewCell>(objc_autorelease(cell));
}

// One conversation: bubbles of text, theirs on the left, ours on the right.
Ref<UIViewController> transcriptController(const Conversation& c) {
  Ref<UIViewController> vc = objc::make<UIViewController>();
  vc->setTitle(NSString::withUTF8(c.name));
  UIView* view = vc->view();
  // The transcript paints no background of its own: the balloons sit on
  // whatever the navigation container shows behind them (white, stock).
  view->setBackgroundColor(nil);
  const std::pair<const char*, bool> lines[] = {
      {c.preview, false}, {"Sounds good. I'll bring the punch cards.", true}, {"See you at eight.", false}};
  CGFloat y = 76;
  for (const auto& [text, mine] : lines) {
    Ref<UIView> balloon = balloonView(text, mine, mine ? 88 : 12, y, 220);
    view->addSubview(balloon);
    y += balloon->frame().size.height + 8;
  }
  return vc;
}

Ref<UIWindow> buildWindow(bool openConversation) {
  CGRect screen = UIScreen::mainScreen()->bounds();
  Ref<UIWindow> window = UIView::make<UIWindow>(screen);
  Ref<UIViewController> list = objc::make<CKConversationListController>();
  list->setTitle("Messages"_ns);
  Ref<UINavigationController> nav = UINavigationController::withRoot(list);
  // The app's container is white, as the stock app shows behind its
  // transcript; it is set through the ordinary setter.
  nav->view()->setBackgroundColor(UIColor::whiteColor());
  window->addSubview(nav->view());
  if (openConversation) nav->pushViewController(transcriptController(kConversations[0]), NO);
  static const char kRootKey = 0;
  objc_setAssociatedObject(window, &kRootKey, nav, OBJC_ASSOCIATION_RETAIN_NONATOMIC);
  window->addSubview(UIView::make<UIStatusBar>(CGRectMake(0, 0, screen.size.width, 20)));

  // The user switches to the app, away and back again.
  UIApplicationBecomeActive();
  UIApplicationBecomeActive();
  settleWindow(window);
  UIViewControllerLayout(nav);
  return window;
}

Ref<UIWindow> buildScreen(const std::string& screen) {
  if (screen == "conversations") return buildWindow(false);
  if (screen == "conversation") return buildWindow(true);
  return nullptr;
}

}  // namespace

void registerMessagesClasses() {
  objc::ClassBuilder<SMSApplication>("SMSApplication", objc::classOf<UIApplication>())
      .ivar("_activations", &SMSApplication::_activations)
      .method<&SMSApplication_applicationDidBecomeActive>("applicationDidBecomeActive:");
  objc::ClassBuilder<CKConversationListCell>("CKConversationListCell", objc::classOf<UITableViewCell>())
      .ivar("_fromLabel", &CKConversationListCell::_fromLabel)
      .ivar("_summaryLabel", &CKConversationListCell::_summaryLabel)
      .ivar("_dateLabel", &CKConversationListCell::_dateLabel)
      .method<&Cell_initWithStyle>("initWithStyle:reuseIdentifier:")
      .method<&Cell_layoutSubviews>("layoutSubviews");
  objc::ClassBuilder<CKConversationListController>("CKConversationListController", objc::classOf<UIViewController>())
      .method<&List_loadView>("loadView")
      .method<&List_viewDidLoad>("viewDidLoad")
      .method<&List_numberOfRows>("tableView:numberOfRowsInSection:")
      .method<&List_cellForRow>("tableView:cellForRowAtIndexPath:");
}

const HostApp& messagesApp() {
  static const HostApp app = [] {
    HostApp a;
    a.name = "messages";
    a.host.bundleIdentifier = "com.apple.MobileSMS";
    a.host.principalClass = "SMSApplication";
    a.host.registerClasses = &registerMessagesClasses;
    a.screens = {"conversations", "conversation"};
    a.buildScreen = &buildScreen;
    return a;
  }();
  return app;
}
