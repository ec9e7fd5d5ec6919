-- What wixl 0.101 leaves out of the example, added with msibuild after it.
-- msibuild runs no UPDATE: a row to change is deleted and inserted again.
-- scripts/build-msi.sh puts in @UPGRADECODE@ and @VERSION@ of the build.

-- One product per version line. The upgrade row finds the products of this
-- line up to this version, now including it ("max inclusive": 513 = 1 + 512),
-- so that a second build of the same version replaces the first instead of
-- going in beside it. The downgrade row, whose minimum is exclusive, still
-- refuses an older build over a newer one.
DELETE FROM Upgrade WHERE ActionProperty = 'WIX_UPGRADE_DETECTED'
INSERT INTO Upgrade (UpgradeCode, VersionMax, Attributes, ActionProperty) VALUES ('@UPGRADECODE@', '@VERSION@', 513, 'WIX_UPGRADE_DETECTED')

-- The two actions that run the tool, and their places in the installation.
-- Type 3106 = 34 + 1024 + 2048: an executable started in a directory (the
-- package's folder becomes its current directory), deferred (it runs in the
-- installation script, once the files are in place, so that a failure rolls
-- the files back), not impersonated (it runs with the installer's elevated
-- rights, which writing below HKEY_LOCAL_MACHINE needs).
-- /s /install counts its exit code: anything but 0 fails the installation,
-- and the files go again.
-- /s /uninstall adds 64 (3170): its exit code is ignored. A removal that
-- fails rolls back and leaves the package installed for good (once the IDE
-- is gone, the tool can only fail); a tool key left behind is the smaller
-- harm.
INSERT INTO CustomAction (Action, Type, Source, Target) VALUES ('RegOrvikPkgInstall', 3106, 'INSTALLDIR', '"[INSTALLDIR]RegOrvikPkg.exe" /s /install')
INSERT INTO CustomAction (Action, Type, Source, Target) VALUES ('RegOrvikPkgUninstall', 3170, 'INSTALLDIR', '"[INSTALLDIR]RegOrvikPkg.exe" /s /uninstall')
-- /install after WriteRegistryValues (5000), which records the version, and
-- before InstallFinalize (6600), on every run that does not remove the
-- package (a first install, a repair, the newer half of an upgrade).
-- /uninstall after InstallInitialize (1500) and before RemoveRegistryValues
-- (2600), while the files and the recorded InstallPath are still there, only
-- when the whole package goes (a removal, the older half of an upgrade).
INSERT INTO InstallExecuteSequence (Action, Condition, Sequence) VALUES ('RegOrvikPkgInstall', 'NOT REMOVE', 6500)
INSERT INTO InstallExecuteSequence (Action, Condition, Sequence) VALUES ('RegOrvikPkgUninstall', 'REMOVE="ALL"', 2550)
