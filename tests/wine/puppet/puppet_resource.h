#pragma once
// Identifiers of the puppet's test dialog, which has the shape of the tool's
// own: two radio buttons, an Apply button that is enabled only while the
// selection differs from what was applied, OK, Cancel and a read-only edit.
#define IDD_PUPPET 200
#define IDC_PUPPET_FIRST 1000
#define IDC_PUPPET_SECOND 1001
#define IDC_PUPPET_EDIT 1005
#define IDC_PUPPET_APPLY 12321
