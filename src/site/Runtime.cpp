// The runtime functions as data: each with the condition under which it is
// emitted, in the order of emission.
#include "site/Runtime.h"

#include "site/Markup.h"

namespace zolt {

namespace {

enum class When { Always, Tabs, Calendars };

struct RuntimeFunction {
    When when;
    const char* text;  // lines ended by "\n"; the closing "}" is the last line
};

const RuntimeFunction kFunctions[] = {
{When::Always, R"JS(function CloseForm(pObj,pOptionalFuncToCall){
	var oForm=document.getElementById(pObj);
	oForm.style.display="none";
	ZoltReturnFocus(oForm);
	if(pOptionalFuncToCall!=""&&pOptionalFuncToCall!=undefined){
		eval(pOptionalFuncToCall);
	}
}
)JS"},
{When::Always, R"JS(function ShowForm(psID,piLeft,piTop,pbUseformsLastPosition,pLoadFunc){
	var oForm=document.getElementById(psID);
	if(oForm.style.display!="inline"){
		BringToFront(psID);
		if(sBrowserType.indexOf("Microsoft")!=0&&oForm.getAttribute("NetScapeFix")==null){
			var iBorder=parseInt(oForm.childNodes[2].style.borderWidth,10);
			if(isNaN(iBorder)){iBorder=0;}
			oForm.childNodes[0].style.width=(parseInt(oForm.style.width,10)+(iBorder*2))+"px";
			if(oForm.childNodes[1].style){
				oForm.childNodes[1].style.left=(parseInt(oForm.childNodes[1].style.left,10)+(iBorder*2))+"px";
			}
			oForm.setAttribute("NetScapeFix","true");
		}
		if(pbUseformsLastPosition==false){
			oForm.style.left=parseInt(piLeft,10)+"px";
			oForm.style.top=parseInt(piTop,10)+"px";
		}
		oForm.style.display="inline";
		ZoltFocusForm(oForm);
	}else if(parseInt(oForm.style.zIndex,10)<zIndexCounter){
		BringToFront(psID);
	}
	if(pLoadFunc!=""&&pLoadFunc!=undefined){
		eval(pLoadFunc);
	}
}
)JS"},
{When::Tabs, R"JS(function TabClicked(pObj,pE,pObjParent){
	pE.cancelBubble=true;
	var oSrc=(sBrowserType.indexOf("Microsoft")==0)?pE.srcElement:pE.target;
	while(oSrc&&oSrc.tagName!="TD"&&oSrc!=pObj){oSrc=oSrc.parentElement;}
	if(!oSrc||oSrc==pObj){return;}
	var iPrevious=parseInt(pObj.getAttribute("PreviousTab"),10);
	if(oSrc.cellIndex==iPrevious){return;}
	TabGUI(pObj,oSrc.cellIndex,pObjParent);
	ShowTabContents(pObj,oSrc.cellIndex,pObjParent,iPrevious);
}
)JS"},
{When::Tabs, R"JS(function TabGUI(pObj,pValue,pObjParent){
	var oContent=TabContentOf(pObj,pObjParent);
	var oCell=pObj.rows[0].cells[pValue];
	oContent.style.backgroundColor=(oCell.style.backgroundColor!="")?oCell.style.backgroundColor:"#D5CCBB";
	var oOld=pObj.rows[0].cells[parseInt(pObj.getAttribute("PreviousTab"),10)];
	oOld.style.borderBottomColor=oContent.style.borderColor;
	oOld.style.borderStyle="solid";
	oOld.style.borderWidth="2px";
	oCell.style.borderBottomColor=oContent.style.backgroundColor;
	oCell.style.borderRightStyle="outset";
	oCell.style.borderRightWidth="3px";
	oCell.style.borderTopStyle="outset";
	oCell.style.borderTopWidth="3px";
	for(var k=0;k<pObj.rows[0].cells.length;k++){
		pObj.rows[0].cells[k].setAttribute("aria-selected",k==pValue?"true":"false");
		pObj.rows[0].cells[k].tabIndex=(k==pValue)?0:-1;
	}
	pObj.setAttribute("PreviousTab",pValue);
}
)JS"},
{When::Tabs, R"JS(// The page being left keeps its elements, with whatever the user typed or
// chose, and shows them again when its tab is chosen; a page never shown
// yet is made from the markup its tab carries. Each strip keeps its own pages.
function ShowTabContents(pObj,pValue,pObjParent,pOldPreviousTab){
	var oContent=TabContentOf(pObj,pObjParent);
	var oPages=pObj.zoltPages;
	if(!oPages){oPages=pObj.zoltPages={};}
	var oLeft=document.createDocumentFragment();
	while(oContent.firstChild){oLeft.appendChild(oContent.firstChild);}
	oPages[parseInt(pOldPreviousTab,10)]=oLeft;
	if(oPages[pValue]){
		oContent.appendChild(oPages[pValue]);
		delete oPages[pValue];
	}else{
		oContent.innerHTML=String(pObj.rows[0].cells[pValue].getAttribute("Contents")||"").replace(/~/g,'"');
		ZoltKeepTabOrder(oContent);
	}
}
)JS"},
{When::Tabs, R"JS(// The content area of the tab control whose strip is pObj: the strip's
// sibling, so that tab controls with one ID on several forms stay apart.
function TabContentOf(pObj,pObjParent){
	var sID=("TABContent_"+pObjParent).toLowerCase();
	for(var o=pObj.parentNode.firstChild;o;o=o.nextSibling){
		if(o.nodeType==1&&String(o.id).toLowerCase()==sID){return o;}
	}
	return document.getElementById("TABContent_"+pObjParent);
}
)JS"},
// A built calendar redraws its week rows when the visitor picks a month or a
// year, as the designer and the headless build draw them (the built site test
// holds it to their cases, tests/fixtures/calendar_cases.json).
{When::Calendars, R"JS(function BuildCalendar(pObjID){
	var oCal=ZoltFindInForm(pObjID);
	var oMonth=ZoltFindInForm("CalMonth_"+pObjID,oCal);
	var oYear=ZoltFindInForm("CalYear_"+pObjID,oCal);
	var m=parseInt(oMonth.options[oMonth.selectedIndex].value,10);
	var y=parseInt(oYear.options[oYear.selectedIndex].value,10);
	var oFirst=new Date(2000,0,1);
	oFirst.setFullYear(y,m-1,1);
	var s=oFirst.getDay()+1;
	var arrDays=["Sunday","Monday","Tuesday","Wednesday","Thursday","Friday","Saturday"];
	var iDays=(m==2)?(((y%4==0&&y%100!=0)||y%400==0)?29:28):((m==4||m==6||m==9||m==11)?30:31);
	// The fixed rows end with the weekday letters, two rows below the lists.
	var iFixed=oMonth.parentElement.parentElement.rowIndex+3;
	while(oCal.rows.length>iFixed){oCal.deleteRow(iFixed);}
	var d=1;
	for(var r=1;r<=6&&d<=iDays;r++){
		var oRow=oCal.insertRow(iFixed+r-1);
		for(var c=1;c<=7;c++){
			var oCell=oRow.insertCell(c-1);
			oCell.align="center";
			oCell.title=arrDays[c-1];
			if(c>=s||r>1){oCell.innerHTML=d;d++;}else{oCell.innerHTML="&nbsp;";}
			if(d>iDays){break;}
		}
	}
}
)JS"},
{When::Calendars, R"JS(function HighlightCalDay(pE){
	var oSrc=(sBrowserType.indexOf("Microsoft")==0)?pE.srcElement:pE.target;
	if(oSrc&&oSrc.tagName=="TD"&&oSrc.innerHTML.length<=2){
		oSrc.style.fontWeight=(oSrc.style.fontWeight=="bold")?"normal":"bold";
	}
}
)JS"},
{When::Calendars, R"JS(function SetCalDate(pCalID,pDate){
	var oCell=ZoltFindInForm("DisplayDate_"+pCalID);
	if(!oCell){return;}
	var oDate=(pDate=="")?new Date():new Date(pDate);
	var arrFull=["January","February","March","April","May","June","July","August","September","October","November","December"];
	var arrAbr=["Jan","Feb","Mar","Apr","May","Jun","Jul","Aug","Sep","Oct","Nov","Dec"];
	var s=String(oCell.getAttribute("FormatStyle")||"");
	s=s.split("fulmm").join(arrFull[oDate.getMonth()]);
	s=s.split("abrmm").join(arrAbr[oDate.getMonth()]);
	s=s.split("mm").join(String(oDate.getMonth()+1));
	s=s.split("dd").join(String(oDate.getDate()));
	s=s.split("yyyy").join(String(oDate.getFullYear()));
	oCell.innerHTML=s;
}
)JS"},
{When::Calendars, R"JS(function Cal_Clicked(pCallD,pE,pDevelopersFunction){
	var oSrc=(sBrowserType.indexOf("Microsoft")==0)?pE.srcElement:pE.target;
	if(oSrc&&oSrc.tagName=="TD"&&oSrc.innerHTML.length<=2&&parseInt(oSrc.innerHTML,10)>0){
		if(pDevelopersFunction!=""&&pDevelopersFunction!=undefined){
			eval(pDevelopersFunction);
		}
	}
}
)JS"},
{When::Always, R"JS(function CenterForm(pForm){
	var oForm=document.getElementById(pForm);
	var iWidth,iHeight;
	if(sBrowserType.indexOf("Microsoft")>=0){
		iWidth=document.body.offsetWidth;
		iHeight=document.body.offsetHeight;
	}else{
		iWidth=window.innerWidth;
		iHeight=window.innerHeight;
	}
	oForm.style.left=((iWidth-parseInt(oForm.style.width,10))/2)+"px";
	oForm.style.top=((iHeight-parseInt(oForm.style.height,10))/2)+"px";
	oForm.style.visibility="visible";
}
)JS"},
{When::Always, R"JS(function SendData(psUrl,psData,psFunc){
	// psUrl: the server page; psData: the parameters sent to it;
	// psFunc: the function the answer page calls with the returned data.
	var sUrl=psUrl;
	if(psData!=""&&psData!=undefined){
		sUrl=psUrl+psData+((psFunc!=undefined)?psFunc:"");
	}else if(psFunc!=""&&psFunc!=undefined){
		sUrl=psUrl+psFunc;
	}
	document.getElementById("iFraData").src=sUrl;
}
)JS"},
{When::Always, R"JS(function BringToFront(pObj){
	if(GSelectedForm!=pObj){
		zIndexCounter=zIndexCounter+1;
		GSelectedForm=pObj;
		document.getElementById(pObj).style.zIndex=zIndexCounter;
	}
}
)JS"},
{When::Always, R"JS(function GetCookie(cookieName){
	if(cookieName==""||cookieName==undefined){return "";}
	var arrCookies=document.cookie.split(";");
	for(var i=0;i<arrCookies.length;i++){
		var sCookie=arrCookies[i].replace(/^\s+/,"");
		var iEquals=sCookie.indexOf("=");
		var sName=(iEquals<0)?sCookie:sCookie.substring(0,iEquals);
		if(sName==cookieName){
			return (iEquals<0)?"":unescape(sCookie.substring(iEquals+1));
		}
	}
	return "";
}
)JS"},
{When::Always, R"JS(function SetCookie(cookieName,cookieValue,nDays){
	var oToday=new Date();
	var oExpire=new Date();
	if(nDays==null||nDays==0){nDays=1;}
	oExpire.setTime(oToday.getTime()+3600000*24*nDays);
	document.cookie=cookieName+"="+escape(cookieValue)+";expires="+oExpire.toGMTString();
}
)JS"},
{When::Always, R"JS(// The element with ID pID that belongs with pNear (an element; when
// missing, the source of the event being handled): the nearest one in the
// subtree of pNear or of one of its ancestors up to its form, so that forms
// repeating an ID each find their own; else the page's first with that ID.
function ZoltFindInForm(pID,pNear){
	var o=pNear;
	if(!o&&window.event){o=window.event.target||window.event.srcElement;}
	var sSelector='[id="'+String(pID).replace(/["\\]/g,"\\$&")+'"]';
	for(;o&&o.nodeType==1&&o!=document.body;o=o.parentNode){
		if(o.id==pID){return o;}
		var oFound=o.querySelector(sSelector);
		if(oFound){return oFound;}
		if(o.getAttribute("ParentFormID")!=null){break;}
	}
	return document.getElementById(pID);
}
)JS"},
{When::Always, R"JS(// Keyboard use of the forms. Showing a form moves the focus into it and
// closing it gives the focus back; Tab and Shift+Tab go round the controls
// of the form holding the focus in their TabIndex order (then in page order,
// the close button last); Escape closes that form when its close button is
// enabled; Enter or Space works a close button or a tab; the arrow keys,
// Home and End choose among the tabs of a strip.
function ZoltFormOf(pElement){
	for(var o=pElement;o&&o.nodeType==1;o=o.parentNode){
		if(o.getAttribute("ParentFormID")!=null){return o;}
	}
	return null;
}
)JS"},
{When::Always, R"JS(function ZoltTabStops(pForm){
	var arrAll=pForm.querySelectorAll("input,select,textarea,button,a[href],[tabindex]");
	var arrStops=[];
	for(var i=0;i<arrAll.length;i++){
		var o=arrAll[i];
		if(o.disabled||o.tabIndex<0||o.type=="hidden"||o.getClientRects().length==0){continue;}
		var iOrder=parseInt(o.getAttribute("data-taborder"),10)||o.tabIndex;
		arrStops.push({e:o,k:(o.id=="CloseFormX")?2e9:((iOrder>0)?iOrder:1e9),n:i});
	}
	arrStops.sort(function(a,b){return (a.k-b.k)||(a.n-b.n);});
	for(var j=0;j<arrStops.length;j++){arrStops[j]=arrStops[j].e;}
	return arrStops;
}
)JS"},
{When::Always, R"JS(function ZoltFocusForm(pForm){
	var oActive=document.activeElement;
	if(oActive&&!pForm.contains(oActive)){pForm.zoltReturnFocus=oActive;}
	var arrStops=ZoltTabStops(pForm);
	var oFirst=(arrStops.length>0&&arrStops[0].id!="CloseFormX")?arrStops[0]:pForm;
	try{oFirst.focus({preventScroll:true});}catch(e){}
}
)JS"},
{When::Always, R"JS(function ZoltReturnFocus(pForm){
	var oBack=pForm.zoltReturnFocus;
	pForm.zoltReturnFocus=null;
	var oActive=document.activeElement;
	if(oActive&&oActive!=document.body&&oActive!=document.documentElement&&!pForm.contains(oActive)){return;}
	if(!oBack||!oBack.isConnected||oBack==document.body||oBack.getClientRects().length==0){
		oBack=null;
		var arrForms=document.querySelectorAll("[ParentFormID]");
		for(var i=0;i<arrForms.length;i++){
			var o=arrForms[i];
			if(o.style.display!="none"&&(!oBack||(parseInt(o.style.zIndex,10)||0)>(parseInt(oBack.style.zIndex,10)||0))){oBack=o;}
		}
		if(oBack){var arrStops=ZoltTabStops(oBack);if(arrStops.length>0&&arrStops[0].id!="CloseFormX"){oBack=arrStops[0];}}
	}
	if(oBack){try{oBack.focus({preventScroll:true});}catch(e){}}
}
)JS"},
{When::Always, R"JS(// A positive tabindex orders the whole page, mixing the forms' controls;
// each form's order is kept here instead, and the browser sees 0.
function ZoltKeepTabOrder(pRoot){
	var arrAll=pRoot.querySelectorAll("[tabindex]");
	for(var i=0;i<arrAll.length;i++){
		if(arrAll[i].tabIndex>0){
			arrAll[i].setAttribute("data-taborder",arrAll[i].tabIndex);
			arrAll[i].tabIndex=0;
		}
	}
}
)JS"},
{When::Always, R"JS(document.addEventListener("keydown",ZoltKeyDown,false);
ZoltKeepTabOrder(document);
function ZoltKeyDown(pE){
	if(pE.defaultPrevented){return;}
	var oTarget=pE.target;
	var sKey=pE.key;
	var oForm;
	if(sKey=="Escape"||sKey=="Esc"){
		oForm=ZoltFormOf(oTarget);
		if(!oForm&&GSelectedForm!=undefined){oForm=document.getElementById(GSelectedForm);}
		if(!oForm||oForm.style.display=="none"){return;}
		for(var o=oForm.firstChild;o;o=o.nextSibling){
			if(o.nodeType==1&&o.id=="CloseFormX"&&o.getAttribute("onclick")){o.click();pE.preventDefault();}
		}
		return;
	}
	if(sKey=="Tab"&&!pE.altKey&&!pE.ctrlKey&&!pE.metaKey){
		oForm=ZoltFormOf(oTarget);
		if(!oForm){return;}
		var arrStops=ZoltTabStops(oForm);
		if(arrStops.length==0){return;}
		var i=arrStops.indexOf(oTarget);
		if(pE.shiftKey){i=(i<=0)?arrStops.length-1:i-1;}else{i=(i<0||i==arrStops.length-1)?0:i+1;}
		arrStops[i].focus();
		pE.preventDefault();
		return;
	}
	var sRole=oTarget.getAttribute?oTarget.getAttribute("role"):null;
	if((sKey=="Enter"||sKey==" ")&&(sRole=="button"||sRole=="tab")&&!/^(BUTTON|INPUT|A)$/.test(oTarget.tagName)){
		oTarget.click();
		pE.preventDefault();
		return;
	}
	if(sRole=="tab"&&oTarget.parentNode&&oTarget.parentNode.cells){
		var oRow=oTarget.parentNode;
		var n=oRow.cells.length;
		var k={"ArrowRight":oTarget.cellIndex+1,"ArrowLeft":oTarget.cellIndex+n-1,"Home":0,"End":n-1}[sKey];
		if(k==undefined){return;}
		oRow.cells[k%n].click();
		oRow.cells[k%n].focus();
		pE.preventDefault();
	}
}
)JS"},
};

bool emitted(When when, const RuntimeOptions& o) {
    switch (when) {
    case When::Always: return true;
    case When::Tabs: return o.withTabs;
    case When::Calendars: return o.withCalendars;
    }
    return false;
}

}  // namespace

std::string RuntimeScript(const RuntimeOptions& o) {
    std::string text =
        "var GCntrlObj;\n"
        "var GbValCon;\n"
        "var GsFunc;\n"
        "var zIndexCounter=" + (o.zIndexCounter.empty() ? std::string("0") : o.zIndexCounter) + ";\n"
        "var sBrowserType=navigator.appName;\n"
        "var GSelectedForm=\"" + replaceAll(o.startForm, "\"", "\\\"") + "\";\n"
        "\n";
    for (const RuntimeFunction& f : kFunctions) {
        if (emitted(f.when, o)) text += std::string(f.text) + "\n";
    }
    return replaceAll(std::move(text), "\n", "\r\n");
}

}  // namespace zolt
