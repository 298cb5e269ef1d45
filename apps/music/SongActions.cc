// The song's action sheet and the delete alert.
#include "apps/music/SongActions.h"

void presentSongActions(UIWindow* window, const char* songTitle) {
  Ref<UIAlertController> sheet = UIAlertController::actionSheet(NSString::withUTF8(songTitle));
  sheet->addAction("Play Next"_ns, UIAlertActionStyleDefault);
  sheet->addAction("Add to Up Next"_ns, UIAlertActionStyleDefault);
  sheet->addAction("Add to a Playlist\u2026"_ns, UIAlertActionStyleDefault);
  sheet->addAction("Delete"_ns, UIAlertActionStyleDestructive);
  sheet->addAction("Cancel"_ns, UIAlertActionStyleCancel);
  window->addSubview(sheet->view());
  // The window keeps the presented controller, as a presentation does.
  static const char kSheetKey = 0;
  objc_setAssociatedObject(window, &kSheetKey, sheet, OBJC_ASSOCIATION_RETAIN_NONATOMIC);
}

void presentDeleteAlert(UIWindow* window, const char* songTitle) {
  Ref<UIAlertView> alert = UIView::make<UIAlertView>(window->bounds());
  alert->setTitle("Delete from Library?"_ns);
  alert->setMessage(NSString::withFormat("\u201C%s\u201D will be deleted.", songTitle));
  alert->addButtonWithTitle("Cancel"_ns);
  alert->addButtonWithTitle("Delete"_ns);
  window->addSubview(alert);
}
