// The Music app's radio, reached from the More list: the radio screen
// (RURadioViewController) with its featured stations, drawn through
// RURadioStationsCollectionViewTemplate, over the my-stations list
// (RUEditNewStationTableViewCell, RUStationTreeTableHeaderView,
// RUStationTreeTableViewCell), and the listening history it pushes
// (RUHistoryViewController with RUHistoryTableHeaderView and
// RUHistoryTableViewCell).
//
//   more->pushViewController(makeRadioViewController(), NO);
#pragma once

#include "platform/uikit/uikit.h"

struct RURadioViewController : UIViewController {
  static constexpr const char* kClassName = "RURadioViewController";
  Ref<NSObject> _dataSource;
  Ref<NSObject> _stationsTemplate;  // RURadioStationsCollectionViewTemplate
  Ref<UILabel> _featuredStationsLabel;
  Ref<UILabel> _myStationsLabel;
  Ref<UICollectionView> _featuredStationsView;
};

struct RURadioStationsCollectionViewTemplate : NSObject {
  static constexpr const char* kClassName = "RURadioStationsCollectionViewTemplate";
  Ref<UIColor> _tintColor;
};

struct RUStationTreeTableViewCell : UITableViewCell {
  static constexpr const char* kClassName = "RUStationTreeTableViewCell";
  Ref<UILabel> _titleLabel;
  Ref<UILabel> _nowPlayingTextLabel;
};

struct RUStationTreeTableHeaderView : UITableViewHeaderFooterView {
  static constexpr const char* kClassName = "RUStationTreeTableHeaderView";
  Ref<UILabel> _titleLabel;
};

struct RUEditNewStationTableViewCell : UITableViewCell {
  static constexpr const char* kClassName = "RUEditNewStationTableViewCell";
  Ref<UILabel> _titleLabel;
};

struct RUHistoryViewController : UIViewController {
  static constexpr const char* kClassName = "RUHistoryViewController";
  Ref<UILabel> _loadingLabel;
  Ref<UILabel> _noHistoryLabel;
  Ref<UIView> _headerView;  // RUHistoryTableHeaderView
  bool _loaded = false;
};

struct RUHistoryTableViewCell : UITableViewCell {
  static constexpr const char* kClassName = "RUHistoryTableViewCell";
  Ref<UILabel> _titleLabel;
  Ref<UILabel> _subtitleLabel;
  Ref<UILabel> _iAdLabel;
};

struct RUHistoryTableHeaderView : UIView {
  static constexpr const char* kClassName = "RUHistoryTableHeaderView";
  Ref<UILabel> _textLabel;
  Ref<UILabel> _detailTextLabel;
};

// [[RURadioViewController alloc] initWithDataSource:] with the app's radio
// data source.
Ref<UIViewController> makeRadioViewController();
// What the radio screen's History button does: pushes the history screen on
// the screen's navigation controller.
void showRadioHistory(UIViewController* radio);

void registerRadioClasses();
