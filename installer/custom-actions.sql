-- What wixl 0.101 leaves out of the example or ignores, added with msibuild
-- after it: the actions that run the tool and their places, and what the
-- major upgrade asks for. msibuild runs no UPDATE: a row to change is deleted
-- and inserted again. scripts/build-msi.sh puts in the build's @UPGRADECODE@
-- and @VERSION@.

-- One product per version line. The upgrade row finds the products of this
-- line up to this version, now including it ("max inclusive": 513 = 1 + 512),
-- so that a second build of the same version replaces the first instead of
-- going in beside it. The downgrade row, whose minimum is exclusive, still
-- refuses an older build over a newer one.
DELETE FROM Upgrade WHERE ActionProperty = 'WIX_UPGRADE_DETECTED'
INSERT INTO Upgrade (UpgradeCode, VersionMax, Attributes, ActionProperty) VALUES ('@UPGRADECODE@', '@VERSION@', 513, 'WIX_UPGRADE_DETECTED')

-- The older product is removed inside this installation's transaction, after
-- InstallInitialize (1500): when the newer installation fails, the older
-- product's removal is rolled back with it, its rollback action putting the
-- package back into the IDE, instead of leaving neither version.
DELETE FROM InstallExecuteSequence WHERE Action = 'RemoveExistingProducts'
INSERT INTO InstallExecuteSequence (Action, Sequence) VALUES ('RemoveExistingProducts', 1501)

-- FORCEREMOVE is passed from the command line to the elevated part of the
-- installation, which runs the removal, only as a secure property.
DELETE FROM Property WHERE Property = 'SecureCustomProperties'
INSERT INTO Property (Property, Value) VALUES ('SecureCustomProperties', 'FORCEREMOVE;WIX_DOWNGRADE_DETECTED;WIX_UPGRADE_DETECTED')

-- The actions that run the tool. Type 3106 = 34 + 1024 + 2048: an executable
-- started in a directory (the package's folder becomes its current
-- directory), deferred (it runs in the installation script, once the files
-- are in place, so that a failure rolls the files back), not impersonated (it
-- runs with the installer's elevated rights, which writing below
-- HKEY_LOCAL_MACHINE needs); such an action's exit code counts, anything but
-- 0 failing the installation. 3170 adds 64: the exit code is ignored.
--
-- Each has a rollback action just before it, on the same condition, that
-- runs the opposite option: 3426 = 3106 + 64 + 256, run only when the
-- installation is rolled back after its action was reached, with the exit
-- code ignored, since nothing may stop a rollback. Undone in reverse order,
-- the rollback of /s /install runs /s /uninstall while the files are still
-- there, and the rollback of /s /uninstall runs /s /install once they are
-- back.
--
-- /s /install after WriteRegistryValues (5000), which records the version,
-- and before InstallFinalize (6600), on every run that does not remove the
-- package (a first install, a repair, the newer half of an upgrade).
INSERT INTO CustomAction (Action, Type, Source, Target) VALUES ('RegOrvikPkgInstallRollback', 3426, 'INSTALLDIR', '"[INSTALLDIR]RegOrvikPkg.exe" /s /uninstall')
INSERT INTO CustomAction (Action, Type, Source, Target) VALUES ('RegOrvikPkgInstall', 3106, 'INSTALLDIR', '"[INSTALLDIR]RegOrvikPkg.exe" /s /install')
INSERT INTO InstallExecuteSequence (Action, Condition, Sequence) VALUES ('RegOrvikPkgInstallRollback', 'NOT REMOVE', 6499)
INSERT INTO InstallExecuteSequence (Action, Condition, Sequence) VALUES ('RegOrvikPkgInstall', 'NOT REMOVE', 6500)
-- /s /uninstall after InstallInitialize (1500) and before RemoveRegistryValues
-- (2600), while the files and the recorded InstallPath are still there, only
-- when the whole package goes (a removal, the older half of an upgrade). While
-- the IDE is installed (AppSearch found its InstallDir), a failing tool fails
-- the removal, which rolls back and leaves the package as it was, for the
-- administrator to mend the cause and remove it again. Once the IDE is gone
-- the tool can only fail, and a removal that failed for it would leave the
-- package installed for good: its exit code is ignored. FORCEREMOVE=1 ignores
-- it with the IDE there too, to take the package out of a broken IDE.
INSERT INTO CustomAction (Action, Type, Source, Target) VALUES ('RegOrvikPkgUninstallRollback', 3426, 'INSTALLDIR', '"[INSTALLDIR]RegOrvikPkg.exe" /s /install')
INSERT INTO CustomAction (Action, Type, Source, Target) VALUES ('RegOrvikPkgUninstall', 3106, 'INSTALLDIR', '"[INSTALLDIR]RegOrvikPkg.exe" /s /uninstall')
INSERT INTO CustomAction (Action, Type, Source, Target) VALUES ('RegOrvikPkgUninstallUncheckedRollback', 3426, 'INSTALLDIR', '"[INSTALLDIR]RegOrvikPkg.exe" /s /install')
INSERT INTO CustomAction (Action, Type, Source, Target) VALUES ('RegOrvikPkgUninstallUnchecked', 3170, 'INSTALLDIR', '"[INSTALLDIR]RegOrvikPkg.exe" /s /uninstall')
INSERT INTO InstallExecuteSequence (Action, Condition, Sequence) VALUES ('RegOrvikPkgUninstallRollback', 'REMOVE="ALL" AND IDEINSTALLDIR AND FORCEREMOVE<>"1"', 2547)
INSERT INTO InstallExecuteSequence (Action, Condition, Sequence) VALUES ('RegOrvikPkgUninstall', 'REMOVE="ALL" AND IDEINSTALLDIR AND FORCEREMOVE<>"1"', 2548)
INSERT INTO InstallExecuteSequence (Action, Condition, Sequence) VALUES ('RegOrvikPkgUninstallUncheckedRollback', 'REMOVE="ALL" AND (NOT IDEINSTALLDIR OR FORCEREMOVE="1")', 2549)
INSERT INTO InstallExecuteSequence (Action, Condition, Sequence) VALUES ('RegOrvikPkgUninstallUnchecked', 'REMOVE="ALL" AND (NOT IDEINSTALLDIR OR FORCEREMOVE="1")', 2550)
