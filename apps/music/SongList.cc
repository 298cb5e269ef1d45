// The Songs screen and the cell content views whose class methods hand out
// the text attributes rows draw with.
#include "apps/music/SongList.h"

#include "apps/music/Library.h"
#include "apps/music/ScreenTable.h"
#include "apps/music/Search.h"
#include "platform/objc/class_builder.h"

namespace {

// --- Text attributes --------------------------------------------------------
// The host builds each dictionary once and hands the same one out again;
// every attribute method has a dictionary of its own, even where two look
// alike, so that no method answers with another's.

UIColor* musicTint() { return UIColor::withRGBA(1.0, 0.18, 0.33, 1); }

NSDictionary* attributes(UIFont* font, UIColor* colour) {
  return NSDictionary::withObjectsAndKeys({font, NSFontAttributeName(), colour, NSForegroundColorAttributeName()});
}

// One per attribute method of the cell content views.
enum class Role {
  SongListDetailRegularPrivate,
  SongListTitleRegular,
  SongListTitleEmphasized,
  SongListSubtitleRegular,
  SongListDetailEmphasized,
  SongListDetailRegular,
  SongListDetailRegularGray,
  MediaTitleRegularPrivate,
  MediaSubtitleRegularPrivate,
  MediaTitleRegular,
  MediaTitleEmphasized,
  MediaSubtitleRegular,
  MediaSubtitleEmphasized,
  SearchTitleRegular,
  SearchTitleEmphasized,
  SearchSubtitleRegular,
  SearchSubtitleEmphasized,
  SearchDetailRegular,
  HeaderTitleRegular,
  HeaderTitleEmphasized,
};

template <Role, int Size, bool Bold, int Grey1000, bool Tinted>
NSDictionary* keptAttributes(Class, SEL) {
  static NSDictionary* kept = [] {
    UIFont* font = Bold ? UIFont::boldSystemFont(Size) : UIFont::systemFont(Size);
    UIColor* colour = Tinted ? musicTint() : UIColor::withWhite(Grey1000 / 1000.0, 1);
    return objc::as<NSDictionary>(objc_retain(attributes(font, colour)));
  }();
  return kept;
}

NSDictionary* headerTitleRegular(id, SEL) {
  return keptAttributes<Role::HeaderTitleRegular, 14, true, 0, false>(nullptr, nullptr);
}
NSDictionary* headerTitleEmphasized(id, SEL) {
  return keptAttributes<Role::HeaderTitleEmphasized, 14, true, 0, true>(nullptr, nullptr);
}

// --- Song rows ----------------------------------------------------------------

NSDictionary* classAttributes(id view, SEL sel) {
  return objc::send<NSDictionary*()>(reinterpret_cast<id>(object_getClass(view)), sel);
}

void SongContent_drawRect(MusicCellContentView* self, SEL, CGRect) {
  CGRect b = self->bounds();
  CGFloat textWidth = b.size.width - 80;
  SEL titleRole = self->_emphasized ? "titleEmphasizedTextAttributes"_sel : "titleRegularTextAttributes"_sel;
  if (self->_title) drawString(self->_title, CGRectMake(15, 6, textWidth, 20), classAttributes(self, titleRole));
  if (self->_subtitle)
    drawString(self->_subtitle, CGRectMake(15, 27, textWidth, 16),
               classAttributes(self, "subtitleRegularTextAttributes"_sel));
  if (self->_detail) {
    SEL detailRole = self->_emphasized ? "detailEmphasizedTextAttributes"_sel : "detailRegularGrayTextAttributes"_sel;
    Ref<NSMutableDictionary> detail = adopt(objc::as<NSMutableDictionary>(classAttributes(self, detailRole)->mutableCopy()));
    detail->setObjectForKey(NSNumber::withInteger(2), NSParagraphStyleAttributeName());
    drawString(self->_detail, CGRectMake(b.size.width - 70, 0, 55, b.size.height), detail);
  }
}

// Standard media and search rows: a title over a subtitle, each in its
// role's attributes, the title emphasised for the item that is playing.
void MediaContent_drawRect(MusicCellContentView* self, SEL, CGRect) {
  CGRect b = self->bounds();
  SEL titleRole = self->_emphasized ? "titleEmphasizedTextAttributes"_sel : "titleRegularTextAttributes"_sel;
  SEL subtitleRole = self->_emphasized ? "subtitleEmphasizedTextAttributes"_sel : "subtitleRegularTextAttributes"_sel;
  CGFloat half = b.size.height / 2;
  if (self->_title)
    drawString(self->_title, CGRectMake(4, half - 18, b.size.width - 8, 18), classAttributes(self, titleRole));
  if (self->_subtitle)
    drawString(self->_subtitle, CGRectMake(4, half + 1, b.size.width - 8, 15), classAttributes(self, subtitleRole));
}

Ref<UITableViewCell> songCell(const Song& song, bool playing) {
  Ref<UITableViewCell> cell = adopt(objc::send<UITableViewCell*(NSInteger, NSString*)>(
      reinterpret_cast<id>(objc::alloc<UITableViewCell>()), "initWithStyle:reuseIdentifier:"_sel, 0, "Song"_ns));
  cell->textLabel()->setHidden(YES);
  UIView* content = cell->contentView();
  Ref<MusicCellContentView> view = UIView::make<MusicCellContentView>(content->bounds());
  view->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  view->_title = NSString::withUTF8(song.title);
  view->_subtitle = NSString::withFormat("%s \u2014 %s", song.artist, song.album);
  view->_detail = NSString::withUTF8(song.duration);
  view->_emphasized = playing;
  content->addSubview(view);
  return cell;
}

// --- Section headers -------------------------------------------------------------

// The header styles its label from its own attribute methods at every
// layout pass.
void Header_layoutSubviews(MusicTableSectionHeaderView* self, SEL) {
  NSDictionary* attrs = objc::send<NSDictionary*()>(self, "titleRegularTextAttributes"_sel);
  UILabel* label = self->textLabel();
  label->setText(self->_title);
  if (attrs) {
    label->setTextColor(objc::as<UIColor>(attrs->objectForKey(NSForegroundColorAttributeName())));
    label->setFont(objc::as<UIFont>(attrs->objectForKey(NSFontAttributeName())));
  }
}

// --- The Songs controller -------------------------------------------------------

struct MusicSongsViewController : UIViewController {
  static constexpr const char* kClassName = "MusicSongsViewController";
};

void Songs_loadView(MusicSongsViewController* self, SEL) {
  Ref<UITableView> table = makeScreenTable(self, 50, 20 + kNavigationBarHeight);
  addSongsSearchBar(table);
  self->setView(table);
}
void Songs_viewDidLoad(MusicSongsViewController* self, SEL) { objc::as<UITableView>(self->view())->reloadData(); }
NSInteger Songs_numberOfSections(MusicSongsViewController*, SEL, UITableView*) {
  return static_cast<NSInteger>(songSections().size());
}
NSInteger Songs_numberOfRows(MusicSongsViewController*, SEL, UITableView*, NSInteger section) {
  return static_cast<NSInteger>(songSections()[section].songs.size());
}
UITableViewCell* Songs_cellForRow(MusicSongsViewController*, SEL, UITableView*, NSIndexPath* path) {
  const Song* song = songSections()[path->section()].songs[path->row()];
  return songCell(*song, song == &librarySongs()[2]).autorelease();
}
UIView* Songs_viewForHeader(MusicSongsViewController*, SEL, UITableView*, NSInteger section) {
  auto* header = objc::as<MusicTableSectionHeaderView>(
      objc::alloc<MusicTableSectionHeaderView>()->initWithReuseIdentifier("Header"_ns));
  if (!header) return nullptr;
  header->_title = NSString::withUTF8(songSections()[section].letter);
  return objc::as<UIView>(objc_autorelease(header));
}

}  // namespace

Ref<UIView> makeStandardMediaContentView(CGRect frame, NSString* title, NSString* subtitle) {
  Class cls = objc_getClass("MusicStandardMediaTableViewCellContentView");
  auto* fresh = static_cast<UIView*>(objc::send<id()>(reinterpret_cast<id>(cls), "alloc"_sel));
  Ref<MusicCellContentView> view = adopt(static_cast<MusicCellContentView*>(fresh->initWithFrame(frame)));
  view->_title = title;
  view->_subtitle = subtitle;
  return view;
}

Ref<UIViewController> makeSongsViewController() {
  Ref<UIViewController> songs = objc::make<MusicSongsViewController>();
  songs->setTitle("Songs"_ns);
  return songs;
}

void registerSongListClasses() {
  objc::ClassBuilder<MusicCellContentView>("MusicSongListTableViewCellContentView", objc::classOf<UIView>())
      .ivar("_title", &MusicCellContentView::_title)
      .classMethod<&keptAttributes<Role::SongListDetailRegularPrivate, 13, false, 560, false>>("_detailRegularTextAttributes")
      .classMethod<&keptAttributes<Role::SongListTitleRegular, 16, false, 0, false>>("titleRegularTextAttributes")
      .classMethod<&keptAttributes<Role::SongListTitleEmphasized, 16, false, 0, true>>("titleEmphasizedTextAttributes")
      .classMethod<&keptAttributes<Role::SongListSubtitleRegular, 12, false, 330, false>>("subtitleRegularTextAttributes")
      .classMethod<&keptAttributes<Role::SongListDetailEmphasized, 13, false, 0, true>>("detailEmphasizedTextAttributes")
      .classMethod<&keptAttributes<Role::SongListDetailRegular, 13, false, 330, false>>("detailRegularTextAttributes")
      .classMethod<&keptAttributes<Role::SongListDetailRegularGray, 13, false, 560, false>>("detailRegularGrayTextAttributes")
      .method<&SongContent_drawRect>("drawRect:");
  objc::ClassBuilder<MusicCellContentView>("MusicStandardMediaTableViewCellContentView", objc::classOf<UIView>())
      .classMethod<&keptAttributes<Role::MediaTitleRegularPrivate, 16, false, 0, false>>("_titleRegularTextAttributes")
      .classMethod<&keptAttributes<Role::MediaSubtitleRegularPrivate, 12, false, 330, false>>("_subtitleRegularTextAttributes")
      .classMethod<&keptAttributes<Role::MediaTitleRegular, 16, false, 0, false>>("titleRegularTextAttributes")
      .classMethod<&keptAttributes<Role::MediaTitleEmphasized, 16, false, 0, true>>("titleEmphasizedTextAttributes")
      .classMethod<&keptAttributes<Role::MediaSubtitleRegular, 12, false, 330, false>>("subtitleRegularTextAttributes")
      .classMethod<&keptAttributes<Role::MediaSubtitleEmphasized, 12, false, 0, true>>("subtitleEmphasizedTextAttributes")
      .method<&MediaContent_drawRect>("drawRect:");
  objc::ClassBuilder<MusicCellContentView>("MusicSearchTableViewCellContentView", objc::classOf<UIView>())
      .classMethod<&keptAttributes<Role::SearchTitleRegular, 16, false, 0, false>>("titleRegularTextAttributes")
      .classMethod<&keptAttributes<Role::SearchTitleEmphasized, 16, false, 0, true>>("titleEmphasizedTextAttributes")
      .classMethod<&keptAttributes<Role::SearchSubtitleRegular, 12, false, 330, false>>("subtitleRegularTextAttributes")
      .classMethod<&keptAttributes<Role::SearchSubtitleEmphasized, 12, false, 0, true>>("subtitleEmphasizedTextAttributes")
      .classMethod<&keptAttributes<Role::SearchDetailRegular, 13, false, 560, false>>("detailRegularTextAttributes")
      .method<&MediaContent_drawRect>("drawRect:");
  objc::ClassBuilder<MusicTableSectionHeaderView>("MusicTableSectionHeaderView",
                                                  objc::classOf<UITableViewHeaderFooterView>())
      .method<&headerTitleRegular>("titleRegularTextAttributes")
      .method<&headerTitleEmphasized>("titleEmphasizedTextAttributes")
      .method<&Header_layoutSubviews>("layoutSubviews");
  objc::ClassBuilder<MusicSongsViewController>("MusicSongsViewController", objc::classOf<UIViewController>())
      .method<&Songs_loadView>("loadView")
      .method<&Songs_viewDidLoad>("viewDidLoad")
      .method<&Songs_numberOfSections>("numberOfSectionsInTableView:")
      .method<&Songs_numberOfRows>("tableView:numberOfRowsInSection:")
      .method<&Songs_cellForRow>("tableView:cellForRowAtIndexPath:")
      .method<&Songs_viewForHeader>("tableView:viewForHeaderInSection:");
}
