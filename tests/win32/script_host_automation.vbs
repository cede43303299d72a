' Drives the registered control late-bound from the script host and writes one "step=result"
' line per step to the Unicode file named by the first argument. The host reports no script
' errors, so every step checks Err itself and the last line is "done".
Option Explicit
On Error Resume Next

Dim fso, out, ctl, other, v
Set fso = CreateObject("Scripting.FileSystemObject")
Set out = fso.CreateTextFile(WScript.Arguments(0), True, True)
If Err.Number <> 0 Then WScript.Quit 2

' A step whose expression failed was skipped, leaving Err set: the line then shows the error.
Sub Report(label, value)
  If Err.Number <> 0 Then
    out.WriteLine label & "=error " & Hex(Err.Number) & " " & Err.Description
    Err.Clear
  Else
    out.WriteLine label & "=" & value
  End If
End Sub

' Runs a method by name, then reports its result, the result's type and ErrorMsg.
Sub Call0(label, name)
  On Error Resume Next
  Dim r
  r = Empty
  Select Case name
    Case "SearchDtmf": r = ctl.SearchDtmf
    Case "SearchLevel": r = ctl.SearchLevel
  End Select
  If Err.Number <> 0 Then
    Report label, ""
  Else
    Report label, r & "|" & TypeName(r) & "|" & ctl.ErrorMsg
  End If
End Sub

Sub Play(label, text)
  On Error Resume Next
  Dim r
  r = Empty
  r = ctl.PlayDtmf(text)
  If Err.Number <> 0 Then
    Report label, ""
  Else
    Report label, r & "|" & TypeName(r) & "|" & ctl.ErrorMsg
  End If
End Sub

Set ctl = CreateObject("TONVEX.TonvexCtrl.1")
Report "create", TypeName(ctl)

v = ctl.ErrorMsg: Report "ErrorMsg", "[" & v & "]|" & TypeName(v)
v = ctl.Sensitivity: Report "Sensitivity", v & "|" & TypeName(v)
v = ctl.MaxSecond: Report "MaxSecond", v & "|" & TypeName(v)
v = ctl.Enabled: Report "Enabled", v & "|" & TypeName(v)

ctl.MaxSecond = 120: v = ctl.MaxSecond: Report "MaxSecond:=120", v
ctl.MaxSecond = 121: v = ctl.MaxSecond: Report "MaxSecond:=121", v
ctl.MaxSecond = 9: v = ctl.MaxSecond: Report "MaxSecond:=9", v
ctl.MaxSecond = -1: v = ctl.MaxSecond: Report "MaxSecond:=-1", v
ctl.MaxSecond = 10: v = ctl.MaxSecond: Report "MaxSecond:=10", v
ctl.MaxSecond = 30: v = ctl.MaxSecond: Report "MaxSecond:=30", v
ctl.Sensitivity = 300: v = ctl.Sensitivity: Report "Sensitivity:=300", v
ctl.Sensitivity = 301: v = ctl.Sensitivity: Report "Sensitivity:=301", v
ctl.Sensitivity = 0: v = ctl.Sensitivity: Report "Sensitivity:=0", v
ctl.Sensitivity = 1: v = ctl.Sensitivity: Report "Sensitivity:=1", v
ctl.Sensitivity = -5: v = ctl.Sensitivity: Report "Sensitivity:=-5", v
ctl.Sensitivity = 75: v = ctl.Sensitivity: Report "Sensitivity:=75", v
v = ctl.ErrorMsg: Report "ErrorMsg after ignored writes", "[" & v & "]"

ctl.Enabled = False: v = ctl.Enabled: Report "Enabled:=False", v
Call0 "SearchDtmf disabled", "SearchDtmf"
Call0 "SearchLevel disabled", "SearchLevel"
Play "PlayDtmf disabled", "1"
ctl.ErrorMsg = "note": v = ctl.ErrorMsg: Report "ErrorMsg:=note", v
ctl.ErrorMsg = "": v = ctl.ErrorMsg: Report "ErrorMsg:=empty", "[" & v & "]"
ctl.Enabled = True: v = ctl.Enabled: Report "Enabled:=True", v

Play "PlayDtmf x", "x"
ctl.ErrorMsg = ""
Play "PlayDtmf a", "a"
Play "PlayDtmf empty", ""

ctl.ErrorMsg = ""
Call0 "SearchDtmf start", "SearchDtmf"
v = CLng(ctl.SearchLevel): Report "SearchLevel during DTMF search", v & "|" & ctl.ErrorMsg
ctl.ErrorMsg = ""
Play "PlayDtmf during DTMF search", "1"
Call0 "SearchDtmf stop", "SearchDtmf"
ctl.ErrorMsg = ""
Call0 "SearchLevel start", "SearchLevel"
Call0 "SearchDtmf during level search", "SearchDtmf"
ctl.ErrorMsg = ""
' Disabling stops the search, so afterwards a DTMF search can start.
ctl.Enabled = False: ctl.Enabled = True: v = ctl.Enabled: Report "Enabled off and on", v
Call0 "SearchDtmf after disabling", "SearchDtmf"
Call0 "SearchDtmf stop again", "SearchDtmf"

Set other = CreateObject("TONVEX.TonvexCtrl.1")
v = other.Sensitivity: Report "second Sensitivity", v
v = other.ErrorMsg: Report "second ErrorMsg", "[" & v & "]"
v = CLng(other.SearchLevel): Report "second SearchLevel start", v
Call0 "first SearchDtmf beside it", "SearchDtmf"
v = other.SearchLevel: Report "second SearchLevel stop", v
Set other = Nothing
Report "second released", "ok"

' The control is released while its search runs.
Set ctl = Nothing
Report "first released", "ok"

' Only the control's ProgID is registered; creating the page by its ProgID must fail (429).
Set other = CreateObject("TONVEX.TonvexPropPage.1")
v = Err.Number: Err.Clear
Report "page by ProgID", v

out.WriteLine "done"
out.Close
