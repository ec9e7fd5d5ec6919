-- The two actions that run the tool, and their places in the installation.
-- Type 3106 = 34 + 1024 + 2048: an executable started in a directory (the
-- package's folder becomes its current directory), deferred (it runs in the
-- installation script, once the files are in place, so that a failure rolls
-- the files back), not impersonated (it runs with the installer's elevated
-- rights, which writing below HKEY_LOCAL_MACHINE needs). Without 64 the
-- exit code counts: anything but 0 fails the installation.
INSERT INTO CustomAction (Action, Type, Source, Target) VALUES ('RegOrvikPkgInstall', 3106, 'INSTALLDIR', '"[INSTALLDIR]RegOrvikPkg.exe" /s /install')
INSERT INTO CustomAction (Action, Type, Source, Target) VALUES ('RegOrvikPkgUninstall', 3106, 'INSTALLDIR', '"[INSTALLDIR]RegOrvikPkg.exe" /s /uninstall')
-- /install after InstallFiles (4000) and before InstallFinalize (6600), on
-- every run that does not remove the package; /uninstall after
-- InstallInitialize (1500) and before RemoveFiles (3500), while the files
-- are still there, only when the whole package goes.
INSERT INTO InstallExecuteSequence (Action, Condition, Sequence) VALUES ('RegOrvikPkgInstall', 'NOT REMOVE', 6500)
INSERT INTO InstallExecuteSequence (Action, Condition, Sequence) VALUES ('RegOrvikPkgUninstall', 'REMOVE="ALL"', 3400)
