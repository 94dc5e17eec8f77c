@echo off
rem Keyvane's test pack on a Windows 10 or 11 desktop: runs every test program in this folder and
rem writes report.txt beside this file: one line per program (passed, failed, skipped), the
rem failing checks' messages under it, and what does not run here and why. Each program's own
rem output is in results\.
rem   run-tests           every program. The end-to-end tests take about five minutes and drive
rem                       Keyvane's windows on this desktop: leave mouse and keyboard alone
rem   run-tests /quick    all but the end-to-end tests
setlocal
cd /d "%~dp0"
set "mode="
if /i "%~1"=="/quick" set "mode=/quick"
if exist results rd /s /q results
md results
for %%p in (*_tests.exe) do call :run %%~np
pack_report.exe report %mode% > report.txt
set "status=%errorlevel%"
type report.txt
echo.
echo This report is in %~dp0report.txt
rem A double-clicked window would close before anyone read it; with its input from nul this
rem does not wait.
pause
exit /b %status%

:run
set "arguments="
for /f "delims=" %%a in ('pack_report.exe args %1 %mode%') do set "arguments=%%a"
%1.exe --gtest_list_tests > results\%1.list 2>&1
if "%arguments%"=="skip" exit /b 0
echo %1 ...
%1.exe --gtest_output=xml:results\%1.xml %arguments% > results\%1.log 2>&1
> results\%1.exit echo %errorlevel%
exit /b 0
