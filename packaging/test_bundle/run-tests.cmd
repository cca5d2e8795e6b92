@echo off
rem Runs Calmora's Windows and end-to-end tests on this PC from a temporary folder and, when run
rem elevated, installs the package silently, starts the installed Calmora.exe and uninstalls it.
rem
rem Usage: run-tests.cmd [RESULTS]   (RESULTS: a folder that is missing or empty; default: the
rem                                   folder "results" beside this script)
rem RESULTS then holds each test program's results as XML, steps.txt (what this script checked
rem itself), the installer's logs, the screenshots the tests took, and summary.txt: the line
rem "N passed, N failed, N skipped" and every failed and skipped test with its reason.
rem Exits 0 when nothing failed, 1 when something did, 2 when it could not run at all.
rem
rem The tests change Calmora's machine-wide setting and the user's Startup folder, and clean up
rem after themselves: run them on a test PC, not on one whose Calmora is in use.
rem
rem Run elevated, it takes nothing from the folder it was started in, where cmd would look first
rem for a program named without its path: system programs are named by their full path, and
rem the work begins in a folder of its own. Unpack the bundle where only administrators may write.
setlocal
set "bundle=%~dp0"
set "results=%~f1"
if "%~1"=="" set "results=%~dp0results"
rem What the bundle's bin\ holds, and all that is copied out of it (scripts/package.sh packs
rem these): a file planted there beside them is never run.
set "bin_files=Calmora.exe CalmoraAtLogin.exe windows_tests.exe e2e_tests.exe installed_calmora_tests.exe test_report.exe elephant-stand-in.ttf"
set "reg=%SystemRoot%\System32\reg.exe"
set "msiexec=%SystemRoot%\System32\msiexec.exe"

rem A new folder, made here and now: one that someone else made first is never used.
:pick_work
set "work=%TEMP%\calmora-tests-%RANDOM%%RANDOM%"
if exist "%work%" goto pick_work
mkdir "%work%"
if errorlevel 1 goto no_work
mkdir "%work%\bin"
if not exist "%work%\bin\" goto no_work
cd /d "%work%"

rem Never mixed with an earlier run's results, and never anything of the user's deleted.
set "used="
if exist "%results%\" for /f "delims=" %%f in ('dir /b /a "%results%" 2^>nul') do set "used=1"
if defined used (
  echo run-tests.cmd: "%results%" is not empty: delete it or name another folder. 1>&2
  set "code=2"
  goto end
)
if not exist "%results%\" mkdir "%results%"
if not exist "%results%\" (
  echo run-tests.cmd: cannot make "%results%". 1>&2
  set "code=2"
  goto end
)
set "steps=%results%\steps.txt"
type nul >"%steps%"

set "missing="
for %%f in (%bin_files%) do (
  copy /y "%bundle%bin\%%f" "%work%\bin\%%f" >nul 2>&1
  if not exist "%work%\bin\%%f" set "missing=%%f"
)
if defined missing (
  echo run-tests.cmd: cannot copy bin\%missing% into "%work%". 1>&2
  set "code=2"
  goto end
)
set "report=%work%\bin\test_report.exe"

call :run windows_tests
call :run e2e_tests

"%report%" elevated
if errorlevel 1 (
  call :skip_package "this run is not elevated: run run-tests.cmd again from a command prompt opened with Run as administrator"
  goto summary
)
"%reg%" query "HKLM\SOFTWARE\Classes\Installer\UpgradeCodes\F03F73EF8BF322E4CB6836EC5F82B86D" >nul 2>&1
if not errorlevel 1 (
  call :skip_package "Calmora is installed on this PC already, and the bundle neither replaces nor removes it: uninstall it first"
  goto summary
)
rem Exactly one package: which of two to test is not for this script to guess. A bare pattern,
rem from the bundle's folder: Wine's cmd matches no quoted one.
set "package="
set "packages=0"
pushd "%bundle%"
for %%p in (Calmora-*-x64.msi) do (
  set "package=%%~fp"
  set /a packages+=1
)
popd
if not "%packages%"=="1" (
  >>"%steps%" echo failed Package.SilentInstall there are %packages% Calmora-*-x64.msi beside run-tests.cmd, not one
  goto summary
)
set "installed=%ProgramFiles%\Quillmoor\Calmora\Calmora.exe"

rem With the login companion, so that its Run value is tried too.
start "" /wait "%msiexec%" /i "%package%" SHOW_NEW_MESSAGES_AT_LOGIN=Yes /qn /norestart /l*v "%results%\install.log"
set "code=%errorlevel%"
if not "%code%"=="0" (
  >>"%steps%" echo failed Package.SilentInstall msiexec /i exited with %code%: see install.log
  goto summary
)
if not exist "%installed%" (
  >>"%steps%" echo failed Package.SilentInstall msiexec /i exited with 0, but there is no "%installed%"
  goto summary
)
>>"%steps%" echo passed Package.SilentInstall

rem The installed program's story, with a data folder of its own: the PC's message stays as it is.
setlocal
set "CALMORA_INSTALLED_EXE=%installed%"
set "ProgramData=%work%\ProgramData"
mkdir "%ProgramData%"
call :run installed_calmora_tests
endlocal

start "" /wait "%msiexec%" /x "%package%" /qn /norestart /l*v "%results%\uninstall.log"
set "code=%errorlevel%"
if not "%code%"=="0" (
  >>"%steps%" echo failed Package.SilentUninstall msiexec /x exited with %code%: see uninstall.log
) else if exist "%installed%" (
  >>"%steps%" echo failed Package.SilentUninstall msiexec /x exited with 0, but "%installed%" is still there
) else (
  >>"%steps%" echo passed Package.SilentUninstall
)
goto summary

:summary
"%report%" summarise "%results%"
set "code=%errorlevel%"
if exist "%work%\screenshots\" (
  mkdir "%results%\screenshots"
  copy /y "%work%\screenshots\*" "%results%\screenshots\" >nul
)
echo Results: %results%
goto end

:no_work
echo run-tests.cmd: cannot make a work folder "%work%". 1>&2
exit /b 2

rem The work folder goes; being the current folder, it is left first.
:end
cd /d "%bundle%"
rmdir /s /q "%work%" 2>nul
exit /b %code%

rem Runs one test program from the temporary folder; one that ends without its report (a crash)
rem fails the run.
:run
pushd "%work%\bin"
"%work%\bin\%~1.exe" "--gtest_output=xml:%results%\%~1.xml"
set "code=%errorlevel%"
popd
if not exist "%results%\%~1.xml" (
  >>"%steps%" echo failed %~1 ended with exit code %code% and wrote no results
)
exit /b 0

:skip_package
>>"%steps%" echo skipped Package.SilentInstall %~1
call :run installed_calmora_tests
>>"%steps%" echo skipped Package.SilentUninstall %~1
exit /b 0
