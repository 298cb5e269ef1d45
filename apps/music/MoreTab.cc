// The More tab's navigation controller and list.
#include "apps/music/MoreTab.h"

#include "apps/music/ScreenTable.h"
#include "platform/objc/class_builder.h"

namespace {

// --- MusicMoreNavigationController --------------------------------------------
// It starts empty; the list arrives through setMoreListController: and
// becomes its root. Presenting is UIViewController's own.

UINavigationController* More_init(MusicMoreNavigationController* self, SEL) {
  return objc::sendSuper<UINavigationController*(UIViewController*)>(
      self, objc::classOf<UINavigationController>(), "initWithRootViewController:"_sel, nil);
}

void More_setMoreListController(MusicMoreNavigationController* self, SEL, UIViewController* list) {
  self->_moreListController = list;
  if (list && !self->topViewController()) self->pushViewController(list, NO);
}

UIViewController* More_moreListController(MusicMoreNavigationController* self, SEL) {
  return self->_moreListController.get();
}

// --- MusicMoreListController ----------------------------------------------------
// One row per library view, the number of items on the right; the rows are
// white, as the list draws them itself, and reused across reloads.

struct MusicMoreListController : UIViewController {
  static constexpr const char* kClassName = "MusicMoreListController";
};

void List_loadView(MusicMoreListController* self, SEL) {
  self->setView(makeScreenTable(self, 50, 20 + kNavigationBarHeight));
}
void List_viewDidLoad(MusicMoreListController* self, SEL) { objc::as<UITableView>(self->view())->reloadData(); }
NSInteger List_numberOfRows(MusicMoreListController*, SEL, UITableView*, NSInteger) {
  return static_cast<NSInteger>(moreEntries().size());
}
UITableViewCell* List_cellForRow(MusicMoreListController*, SEL, UITableView* table, NSIndexPath* path) {
  const MoreEntry& entry = moreEntries()[path->row()];
  Ref<UITableViewCell> cell = table->dequeueReusableCell("More"_ns);
  if (!cell) cell = adopt(objc::alloc<UITableViewCell>()->initWithStyle(UITableViewCellStyleValue1, "More"_ns));
  if (!cell) return nullptr;
  cell->setBackgroundColor(UIColor::whiteColor());
  cell->textLabel()->setText(NSString::withUTF8(entry.title));
  cell->detailTextLabel()->setText(NSString::withUTF8(entry.count));
  cell->detailTextLabel()->setTextAlignment(2);
  return cell.autorelease();
}

}  // namespace

const std::vector<MoreEntry>& moreEntries() {
  static const std::vector<MoreEntry> entries = {
      {"Radio", "", Glyph::Radio},
      {"Genres", "5", Glyph::Genres},
      {"Compilations", "2", Glyph::Compilations},
      {"Composers", "9", Glyph::Composers},
      {"Audiobooks", "1", Glyph::Audiobooks},
  };
  return entries;
}

Ref<UINavigationController> makeMoreNavigationController() {
  Ref<UINavigationController> more = objc::make<MusicMoreNavigationController>();
  if (!more) return nullptr;
  Ref<UIViewController> list = objc::make<MusicMoreListController>();
  list->setTitle("More"_ns);
  objc::send<void(UIViewController*)>(more, "setMoreListController:"_sel, list.get());
  return more;
}

void registerMoreTabClasses() {
  objc::ClassBuilder<MusicMoreNavigationController>("MusicMoreNavigationController",
                                                    objc::classOf<UINavigationController>())
      .ivar("_moreListController", &MusicMoreNavigationController::_moreListController)
      .method<&More_init>("init")
      .method<&More_setMoreListController>("setMoreListController:")
      .method<&More_moreListController>("moreListController");
  objc::ClassBuilder<MusicMoreListController>("MusicMoreListController", objc::classOf<UIViewController>())
      .method<&List_loadView>("loadView")
      .method<&List_viewDidLoad>("viewDidLoad")
      .method<&List_numberOfRows>("tableView:numberOfRowsInSection:")
      .method<&List_cellForRow>("tableView:cellForRowAtIndexPath:");
}
