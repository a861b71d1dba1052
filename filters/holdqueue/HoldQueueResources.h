// Dialog template and title string of the Synchronizing Buffer's page.
#pragma once

#include "dialog.h"

constexpr int IDD_HOLDQUEUE_PAGE = 101;
constexpr int IDS_HOLDQUEUE_TITLE = 102;

constexpr int IDC_HQ_MAXSAMPLES_LABEL = 1001;
constexpr int IDC_HQ_MAXSAMPLES = 1002;
constexpr int IDC_HQ_OFFSET = 1003;
constexpr int IDC_HQ_OFFSET_LABEL = 1004;
constexpr int IDC_HQ_OFFSET_UNIT = 1005;
constexpr int IDC_HQ_DISCARD_LABEL = 1006;
constexpr int IDC_HQ_DISCARD = 1007;
constexpr int IDC_HQ_DISCARD_UNIT = 1008;
constexpr int IDC_HQ_DISABLETIMESTAMPS = 1009;
constexpr int IDC_HQ_MONITOR_GROUP = 1010;
constexpr int IDC_HQ_COUNT_LABEL = 1011;
constexpr int IDC_HQ_COUNT = 1012;
constexpr int IDC_HQ_ABSOLUTE_LABEL = 1013;
constexpr int IDC_HQ_ABSOLUTE = 1014;
constexpr int IDC_HQ_ABSOLUTE_UNIT = 1015;
constexpr int IDC_HQ_OFFSETABSOLUTE_LABEL = 1016;
constexpr int IDC_HQ_OFFSETABSOLUTE = 1017;
constexpr int IDC_HQ_OFFSETABSOLUTE_UNIT = 1018;
constexpr int IDC_HQ_FILLLEVEL = 1019;
constexpr int IDC_HQ_DISCARDED_LABEL = 1020;
constexpr int IDC_HQ_DISCARDED = 1021;

extern const DialogTemplate kHoldQueuePageDialog;
extern const StringResource kHoldQueuePageTitle;
