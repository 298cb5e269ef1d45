// UIKit as the extension and the hosts see it.
#pragma once

#include "platform/coregraphics/CGColor.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIBackdropView.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UILabel.h"
#include "platform/coregraphics/CGContext.h"
#include "platform/coregraphics/CGGradient.h"
#include "platform/coregraphics/CGImage.h"
#include "platform/uikit/UIGeometry.h"
#include "platform/uikit/UIGraphics.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UITabBar.h"
#include "platform/uikit/UITabBarCustomizeView.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/TextDrawing.h"
#include "platform/uikit/UITableViewCell.h"
#include "platform/uikit/UIView.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIAlertView.h"
#include "platform/uikit/UISearchBar.h"
#include "platform/uikit/UITextField.h"
#include "platform/uikit/UICollectionView.h"
#include "platform/uikit/UIContainerViews.h"
#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UIStatusBar.h"
#include "platform/uikit/UITableView.h"
#include "platform/uikit/UIViewController.h"

// Registers Core Graphics' object types and every UIKit class. Called once
// per process after registerFoundation().
void registerUIKit();
