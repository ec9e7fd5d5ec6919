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
