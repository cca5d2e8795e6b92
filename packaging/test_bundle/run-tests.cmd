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
setlocal
set "bundle=%~dp0"
set "results=%~f1"
if "%~1"=="" set "results=%~dp0results"

rem Never mixed with an earlier run's results, and never anything of the user's deleted.
set "used="
if exist "%results%\" for /f "delims=" %%f in ('dir /b /a "%results%" 2^>nul') do set "used=1"
if defined used (
  echo run-tests.cmd: "%results%" is not empty: delete it or name another folder. 1>&2
  exit /b 2
)
if not exist "%results%\" mkdir "%results%"
if not exist "%results%\" (
  echo run-tests.cmd: cannot make "%results%". 1>&2
  exit /b 2
)
set "steps=%results%\steps.txt"
type nul >"%steps%"

:pick_work
set "work=%TEMP%\calmora-tests-%RANDOM%%RANDOM%"
if exist "%work%" goto pick_work
mkdir "%work%\bin"
copy /y "%bundle%bin\*" "%work%\bin\" >nul
if not exist "%work%\bin\test_report.exe" (
  echo run-tests.cmd: cannot copy the test programs into "%work%". 1>&2
  exit /b 2
)
set "report=%work%\bin\test_report.exe"

call :run windows_tests
call :run e2e_tests

"%report%" elevated
if errorlevel 1 (
  call :skip_package "this run is not elevated: run run-tests.cmd again from a command prompt opened with Run as administrator"
  goto summary
)
reg query "HKLM\SOFTWARE\Classes\Installer\UpgradeCodes\F03F73EF8BF322E4CB6836EC5F82B86D" >nul 2>&1
if not errorlevel 1 (
  call :skip_package "Calmora is installed on this PC already, and the bundle neither replaces nor removes it: uninstall it first"
  goto summary
)
rem A bare pattern, from the bundle's folder: Wine's cmd matches no quoted one.
set "package="
pushd "%bundle%"
for %%p in (Calmora-*-x64.msi) do set "package=%%~fp"
popd
if not defined package (
  >>"%steps%" echo failed Package.SilentInstall there is no Calmora-*-x64.msi beside run-tests.cmd
  goto summary
)
set "installed=%ProgramFiles%\Quillmoor\Calmora\Calmora.exe"

start "" /wait msiexec /i "%package%" /qn /norestart /l*v "%results%\install.log"
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

start "" /wait msiexec /x "%package%" /qn /norestart /l*v "%results%\uninstall.log"
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
rmdir /s /q "%work%" 2>nul
echo Results: %results%
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
